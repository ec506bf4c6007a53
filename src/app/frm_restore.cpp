#include "app/frm_restore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/more_text.h"
#include "delete/backup_restore.h"

namespace korvane {

namespace {

QString Ui(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
QString Bytes(const std::string& path) {
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

constexpr int kIdRole = Qt::UserRole + 1;

}  // namespace

FrmRestore::FrmRestore(AppState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("frmRestore"));
    model_ = new QStandardItemModel(0, 4, this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    List = new QTreeView(this);
    List->setObjectName(QStringLiteral("List"));
    List->setModel(sorted_);
    List->setRootIsDecorated(false);
    List->setSortingEnabled(true);
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->sortByColumn(0, Qt::AscendingOrder);

    const auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    CmdRestore = button("CmdRestore");
    CmdRestoreTo = button("CmdRestoreTo");
    CmdDelete = button("CmdDelete");
    CmdClose = button("CmdClose");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {CmdRestore, CmdRestoreTo, CmdDelete}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(CmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List);
    layout->addLayout(buttons);
    resize(760, 360);

    connect(CmdRestore, &QPushButton::clicked, this, &FrmRestore::CmdRestore_Click);
    connect(CmdRestoreTo, &QPushButton::clicked, this, &FrmRestore::CmdRestoreTo_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &FrmRestore::CmdDelete_Click);
    connect(CmdClose, &QPushButton::clicked, this, &QDialog::close);
    ApplyLanguage();
}

void FrmRestore::ApplyLanguage() {
    const auto text = [this](MoreText id) { return Ui(More(id, state_.Language)); };
    setWindowTitle(text(MoreText::BackupsTitle));
    model_->setHorizontalHeaderLabels(
        {text(MoreText::BackupsColumnTime), text(MoreText::BackupsColumnOriginal),
         text(MoreText::BackupsColumnDetection), text(MoreText::BackupsColumnSize)});
    CmdRestore->setText(text(MoreText::BackupsRestore));
    CmdRestoreTo->setText(text(MoreText::BackupsRestoreTo));
    CmdDelete->setText(text(MoreText::BackupsDelete));
    CmdClose->setText(text(MoreText::BackupsClose));
}

void FrmRestore::Tell(const std::string& text, MessageIcon icon) {
    MessageRequest message;
    message.text = text;
    message.title = More(MoreText::BackupsTitle, state_.Language);
    message.icon = icon;
    platform_.ui.ShowMessage(message);
}

void FrmRestore::Reload() {
    model_->removeRows(0, model_->rowCount());
    DeletionContext context{state_, platform_, {}};
    BackupStore store(context);
    if (const std::error_code opened = store.Open(/*create=*/false)) {
        const std::string why =
            !store.Damage().empty() ? store.Damage() : store.Folder() + ": " + opened.message();
        Tell(More(MoreText::BackupsDamaged, state_.Language) + "\r\n" + why, MessageIcon::Warning);
        return;
    }
    for (const BackupRecord& record : ListBackups(store)) {
        QList<QStandardItem*> row;
        row << new QStandardItem(Bytes(record.time)) << new QStandardItem(Bytes(record.original))
            << new QStandardItem(Bytes(record.detection)) << new QStandardItem;
        row.back()->setData(QVariant::fromValue<qulonglong>(record.size), Qt::DisplayRole);
        for (QStandardItem* item : row) {
            item->setEditable(false);
            item->setData(QVariant::fromValue<qulonglong>(record.id), kIdRole);
        }
        model_->appendRow(row);
    }
    for (int column = 0; column < 4; ++column) List->resizeColumnToContents(column);
}

std::vector<std::uint64_t> FrmRestore::SelectedIds() const {
    std::vector<std::uint64_t> ids;
    for (const QModelIndex& index : List->selectionModel()->selectedRows())
        ids.push_back(index.data(kIdRole).toULongLong());
    return ids;
}

void FrmRestore::Restore(const std::string& folder) {
    DeletionContext context{state_, platform_, {}};
    BackupStore store(context);
    std::string failures;
    if (store.Open(false)) {
        failures = store.Damage();
    } else {
        for (const std::uint64_t id : SelectedIds()) {
            const RestoreOutcome outcome = RestoreBackup(store, id, folder);
            if (outcome.error) failures += "\r\n" + outcome.reason;
        }
    }
    Reload();
    if (!failures.empty())
        Tell(More(MoreText::BackupsNotRestored, state_.Language) + failures, MessageIcon::Warning);
}

void FrmRestore::CmdRestore_Click() {
    Restore({});
}

void FrmRestore::CmdRestoreTo_Click() {
    if (SelectedIds().empty()) return;
    const std::string folder =
        platform_.ui.BrowseForFolder(More(MoreText::BackupsRestoreToPrompt, state_.Language));
    if (!folder.empty()) Restore(folder);
}

void FrmRestore::CmdDelete_Click() {
    const std::vector<std::uint64_t> ids = SelectedIds();
    if (ids.empty()) return;
    MessageRequest question;
    question.text = More(MoreText::BackupsDeleteQuestion, state_.Language);
    question.title = More(MoreText::BackupsTitle, state_.Language);
    question.buttons = MessageButtons::YesNo;
    question.icon = MessageIcon::Question;
    if (platform_.ui.ShowMessage(question) != MessageAnswer::Yes) return;
    DeletionContext context{state_, platform_, {}};
    BackupStore store(context);
    if (!store.Open(false)) {
        for (const std::uint64_t id : ids) DeleteBackup(store, id);
    }
    Reload();
}

}  // namespace korvane
