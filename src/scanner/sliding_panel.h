#pragma once
// A panel that slides into view: it shows the top `revealed` pixels of its
// content, which keeps its full height and is cut off at the panel's bottom,
// as a window edge moving down over it would.
#include <QWidget>

namespace korvane {

class SlidingPanel : public QWidget {
    Q_OBJECT
public:
    SlidingPanel(QWidget* content, QWidget* parent = nullptr);

    // The content's full height at the panel's width.
    int FullHeight() const;
    int Revealed() const { return revealed_; }
    void SetRevealed(int pixels);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* content_;
    int revealed_ = 0;
};

}  // namespace korvane
