#include "delete/delete_controller.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeView>

#include "core/more_text.h"
#include "core/text_util.h"
#include "delete/backup_cleaning.h"
#include "log/result_list_model.h"
#include "log/result_list_order.h"

namespace korvane {

namespace {

// The model's rows, walked in the order the list shows them.
class ModelRows : public DeleteRunRows {
public:
    ModelRows(ResultListModel& model, std::vector<int> order) : model_(model), order_(std::move(order)) {}
    int Count() const override { return static_cast<int>(order_.size()); }
    bool Checked(int row) const override { return Row(row) != nullptr && Row(row)->Checked; }
    std::string Status(int row) const override {
        return Row(row) != nullptr ? Row(row)->Status : std::string{};
    }
    std::string Path(int row) const override { return Row(row) != nullptr ? Row(row)->Path : std::string{}; }
    std::string Name(int row) const override { return Row(row) != nullptr ? Row(row)->Name : std::string{}; }
    void SetStatus(int row, const std::string& status) override {
        if (Row(row) != nullptr) model_.SetStatus(order_[static_cast<std::size_t>(row)], status);
    }

private:
    const ResultRow* Row(int row) const {
        const int index = order_[static_cast<std::size_t>(row)];
        if (index < 0 || index >= model_.rowCount()) return nullptr;
        return &model_.Row(index);
    }
    ResultListModel& model_;
    std::vector<int> order_;
};

QString Ui(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool Ticked(const QCheckBox* box) {
    return box != nullptr && box->checkState() == Qt::Checked;
}

}  // namespace

DeleteController::DeleteController(AppState& state, Platform& platform, MainWindowParts parts,
                                   Controls controls, QObject* parent)
    : QObject(parent), state_(state), platform_(platform), parts_(std::move(parts)), controls_(controls) {
    if (controls_.CB_DelFiles != nullptr) {
        connect(controls_.CB_DelFiles, &QPushButton::clicked, this, [this] { CB_DelFiles_Click(); });
    }
    if (controls_.mnuCleanBackupFolder != nullptr) {
        connect(controls_.mnuCleanBackupFolder, &QAction::triggered, this,
                [this] { mnuCleanBackupFolder_Click(); });
    }
}

DeleteOptions DeleteController::Options() const {
    DeleteOptions options;
    options.fileBackup = Ticked(controls_.Check_FileBackup);
    options.allOnReboot = controls_.Check_DelAllOnReboot != nullptr &&
                          controls_.Check_DelAllOnReboot->checkState() != Qt::Unchecked;
    options.reboot = Ticked(controls_.Check_Reboot);
    if (controls_.Text1 != nullptr) options.maskText = controls_.Text1->text().toLocal8Bit().toStdString();
    return options;
}

DeleteRunResult DeleteController::CB_DelFiles_Click() {
    if (running_ || parts_.model == nullptr) return {};
    running_ = true;
    QPushButton* button = controls_.CB_DelFiles;
    const bool wasEnabled = button != nullptr && button->isEnabled();
    if (button != nullptr) button->setEnabled(false);

    DeletionContext context{state_, platform_, [] { QCoreApplication::processEvents(); }};
    std::vector<int> order;
    if (parts_.list != nullptr) order = RowsInDisplayOrder(*parts_.list);
    ModelRows rows(*parts_.model, std::move(order));
    DeleteOptions options = Options();
    QMainWindow* window = parts_.window;
    // A long run shows how far it is and can be stopped before the next row.
    QProgressDialog progress(window);
    progress.setObjectName(QStringLiteral("deleteProgress"));
    progress.setWindowTitle(Ui(More(MoreText::DeleteProgressCaption, state_.Language)));
    progress.setCancelButtonText(Ui(More(MoreText::DeleteProgressCancel, state_.Language)));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    options.progress = [this, &progress](const DeleteProgress& at) {
        progress.setMaximum(at.total);
        // Texts are UTF-8, the path bytes of the system code page.
        const QByteArray path =
            QString::fromLocal8Bit(at.path.data(), static_cast<qsizetype>(at.path.size())).toUtf8();
        progress.setLabelText(
            Ui(FillIn(More(MoreText::DeleteProgressRow, state_.Language),
                      {std::to_string(at.done + 1), std::to_string(at.total),
                       std::string_view(path.constData(), static_cast<std::size_t>(path.size()))})));
        progress.setValue(at.done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    const DeleteRunResult result = korvane::CB_DelFiles_Click(context, rows, options, [window] {
        if (window != nullptr) window->close();
    });

    progress.close();
    if (button != nullptr) button->setEnabled(wasEnabled);
    // Statuses got longer ("Fehlgeschlagen"): fit the columns to them.
    if (parts_.autoSizeColumns) parts_.autoSizeColumns();
    // Disabling the button moved the focus on to the exit button, where the
    // next Enter would end the program; the list is where the user goes on.
    if (parts_.list != nullptr && parts_.window != nullptr && parts_.window->isVisible()) parts_.list->setFocus();
    running_ = false;
    return result;
}

void DeleteController::mnuCleanBackupFolder_Click() {
    DeletionContext context{state_, platform_, {}};
    CleanBackupFolder(context);
}

}  // namespace korvane
