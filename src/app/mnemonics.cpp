#include "app/mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace korvane {

namespace {

// Prefers the first letter of a word, then any letter, that no sibling uses.
QString WithMnemonic(const QString& plain, QSet<QChar>& used) {
    QString escaped = plain;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    qsizetype choice = -1;
    for (int pass = 0; pass < 2 && choice < 0; ++pass) {
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const QChar c = plain.at(i);
            const bool wordStart = i == 0 || !plain.at(i - 1).isLetterOrNumber();
            if (!c.isLetterOrNumber() || (pass == 0 && !wordStart) || used.contains(c.toLower())) continue;
            choice = i;
            break;
        }
    }
    if (choice < 0) return escaped;
    used.insert(plain.at(choice).toLower());
    // Every '&' before the chosen letter became two.
    const qsizetype before = plain.left(choice).count(QLatin1Char('&'));
    return escaped.insert(choice + before, QLatin1Char('&'));
}

void Assign(const QList<QAction*>& actions) {
    QSet<QChar> used;
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        action->setText(WithMnemonic(WithoutMnemonic(action->text()), used));
        if (QMenu* sub = action->menu()) AssignMnemonics(*sub);
    }
}

}  // namespace

QString WithoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) ++i;
        plain.append(text.at(i));
    }
    return plain;
}

void AssignMnemonics(QMenuBar& bar) {
    Assign(bar.actions());
}

void AssignMnemonics(QMenu& menu) {
    Assign(menu.actions());
}

}  // namespace korvane
