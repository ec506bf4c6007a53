#include "support/layout_check.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QWidget>

namespace korvane::testing {

namespace {

QString Name(const QWidget* w) {
    const QString name =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    QString text;
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
    if (const auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(w)) text = group->title();
    return text.isEmpty() ? name : name + QStringLiteral(" \"") + text + QStringLiteral("\"");
}

QString Size(const QSize& s) {
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

void CheckSize(const QWidget* w, QStringList& problems) {
    QSize needed;
    if (qobject_cast<const QAbstractButton*>(w) != nullptr) needed = w->sizeHint();
    if (const auto* label = qobject_cast<const QLabel*>(w); label != nullptr && !label->text().isEmpty())
        needed = w->sizeHint();
    if (qobject_cast<const QGroupBox*>(w) != nullptr) needed = w->minimumSizeHint();
    if (!needed.isValid()) return;
    if (w->width() < needed.width() || w->height() < needed.height()) {
        problems << QStringLiteral("%1 is %2, its text needs %3").arg(Name(w), Size(w->size()), Size(needed));
    }
}

void CheckMenuBar(const QMenuBar* bar, QStringList& problems) {
    for (QAction* action : bar->actions()) {
        if (!action->isVisible()) continue;
        const QRect title = bar->actionGeometry(action);
        if (title.isEmpty() || !bar->rect().contains(title)) {
            problems
                << QStringLiteral("menu \"%1\" is not shown in full on the menu bar").arg(action->text());
        }
    }
}

void Walk(const QWidget* parent, const QWidget& window, QStringList& problems) {
    QList<const QWidget*> shown;
    for (const QObject* child : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w == nullptr || w->isWindow() || !w->isVisibleTo(&window)) continue;
        shown << w;
        CheckSize(w, problems);
        if (!parent->rect().contains(w->geometry())) {
            problems << QStringLiteral("%1 at %2,%3 %4 reaches outside %5 of %6")
                            .arg(Name(w))
                            .arg(w->x())
                            .arg(w->y())
                            .arg(Size(w->size()), Name(parent), Size(parent->size()));
        }
        if (const auto* bar = qobject_cast<const QMenuBar*>(w)) CheckMenuBar(bar, problems);
        // A scroll area's inner parts are its own business; a menu bar has no children of note.
        if (qobject_cast<const QAbstractScrollArea*>(w) == nullptr &&
            qobject_cast<const QMenuBar*>(w) == nullptr) {
            Walk(w, window, problems);
        }
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            if (shown[i]->geometry().intersects(shown[j]->geometry())) {
                problems << QStringLiteral("%1 and %2 overlap").arg(Name(shown[i]), Name(shown[j]));
            }
        }
    }
}

}  // namespace

QStringList LayoutProblems(const QWidget& window) {
    QStringList problems;
    Walk(&window, window, problems);
    return problems;
}

QString Describe(const QString& where, const QStringList& problems) {
    return where + QStringLiteral(":\n  ") + problems.join(QStringLiteral("\n  "));
}

}  // namespace korvane::testing
