#include "app/qt_ui_services.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "log/log_bytes.h"
#include "log/local_path_bytes.h"

namespace korvane {

namespace {

QString Ui(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString FromPath(const std::string& path) { return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())); }
std::string ToPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

}  // namespace

MessageAnswer QtUiServices::ShowMessage(const MessageRequest& request) {
    QMessageBox box(owner_);
    box.setText(Ui(request.text));
    box.setWindowTitle(Ui(request.title));
    switch (request.icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (request.buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

std::string QtUiServices::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(owner_, Ui(title), Ui(prompt), QLineEdit::Normal, FromPath(defaultText), &ok);
    return ok ? ToPath(answer) : std::string{};
}

QString FileDialogFilter(const FileFilter& filter) {
    // Texts of the table may end in a blank; the pattern follows after one.
    return Ui(filter.description).trimmed() + QStringLiteral(" (") + QString::fromStdString(filter.pattern) +
           QStringLiteral(")");
}

std::string QtUiServices::OpenFile(const OpenFileRequest& request) {
    QStringList filters;
    for (const FileFilter& f : request.filters) filters << FileDialogFilter(f);
    const QString chosen =
        QFileDialog::getOpenFileName(owner_, Ui(request.title), FromPath(request.initialFolder), filters.join(QStringLiteral(";;")));
    return chosen.isEmpty() ? std::string{} : PathBytesOf(chosen);
}

std::string QtUiServices::BrowseForFolder(const std::string& prompt) {
    const QString chosen = QFileDialog::getExistingDirectory(owner_, Ui(prompt));
    return chosen.isEmpty() ? std::string{} : PathBytesOf(chosen);
}

std::string QtUiServices::AskPassword(const std::string& prompt, const std::string& title) {
    bool ok = false;
    const QString answer = QInputDialog::getText(owner_, Ui(title), Ui(prompt), QLineEdit::Password, {}, &ok);
    return ok ? answer.toStdString() : std::string{};
}

std::string QtUiServices::ClipboardText() { return ToPath(QApplication::clipboard()->text()); }

void QtUiServices::SetClipboardText(const std::string& text) {
    // Log text: names in the scanner's code page are shown readable.
    QApplication::clipboard()->setText(ShownLogBytes(text));
}

}  // namespace korvane
