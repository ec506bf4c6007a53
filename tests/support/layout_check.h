#pragma once
// What a person sees wrong in a window: a caption cut off or two controls on
// top of each other. Run on a shown window after its layout has settled.
#include <QString>
#include <QStringList>

class QWidget;

namespace korvane::testing {

// One line per problem, naming the controls by object name:
// - a visible button, check box or label smaller than its size hint (its text
//   needs that much), a group box smaller than its minimum size hint;
// - a visible control reaching outside its parent;
// - two visible sibling controls that overlap;
// - a menu-bar title that is not shown in full on the bar.
QStringList LayoutProblems(const QWidget& window);

// The problems with a heading, for a test's failure message.
QString Describe(const QString& where, const QStringList& problems);

}  // namespace korvane::testing
