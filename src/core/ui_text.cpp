#include "core/ui_text.h"

namespace korvane {

const UiText& Texts() {
    static const UiText table = [] {
        UiText t;
        t.FillTextTable();
        return t;
    }();
    return table;
}

}  // namespace korvane
