#include "ui/HistoryDialog.h"

#include <QBrush>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSaveFile>
#include <QVBoxLayout>

#include "ui/QtMessageBox.h"
#include "ui/Translations.h"
#include "ui/HistoryWearChart.h"

namespace zt40::ui {

namespace {

// How long the export's confirmation stays.
constexpr int kExportedNoteMs = 10'000;

}  // namespace

HistoryDialog::HistoryDialog(HistoryRead history, const SamplesRead& samples, QWidget* parent)
    : QDialog(parent), m_history(std::move(history)) {
    setObjectName(QStringLiteral("historyDialog"));
    setWindowTitle(Translate(historytext::kTitle));

    QString note;
    if (m_history.failure) {
        note = Render(*m_history.failure);
    } else if (m_history.rows.empty()) {
        note = Translate(historytext::kNothingYet);
    } else {
        note = Render(Message::Of(historytext::kRecordsOf,
                                  {m_history.path}));
    }
    m_note.setObjectName(QStringLiteral("historyNote"));
    m_note.setText(note);
    m_note.setWordWrap(true);
    m_noteBack.setSingleShot(true);
    connect(&m_noteBack, &QTimer::timeout, this, [this, note] { m_note.setText(note); });

    const auto& columns = HistoryColumns();
    m_table.setObjectName(QStringLiteral("historyTable"));
    m_table.setColumnCount(static_cast<int>(columns.size()));
    m_table.setRowCount(static_cast<int>(m_history.rows.size()));
    QStringList titles;
    for (const auto& column : columns) titles << Translate(column.title);
    m_table.setHorizontalHeaderLabels(titles);
    m_table.verticalHeader()->setVisible(false);
    m_table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table.setSelectionBehavior(QAbstractItemView::SelectRows);
    const QBrush unusable(QColor(255, 228, 225));
    for (int row = 0; row < m_table.rowCount(); ++row) {
        const auto& historyRow = m_history.rows[static_cast<std::size_t>(row)];
        const auto cells = HistoryCellMessages(historyRow);
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            auto item = std::make_unique<QTableWidgetItem>(Render(cells[static_cast<std::size_t>(column)]));
            if (!historyRow.Usable()) item->setBackground(unusable);
            m_table.setItem(row, column, item.release());  // the table owns its items
        }
    }
    m_table.resizeColumnsToContents();

    m_export.setObjectName(QStringLiteral("historyExport"));
    m_export.setText(Translate(historytext::kExport));
    m_export.setEnabled(!m_history.rows.empty());
    connect(&m_export, &QPushButton::clicked, this, &HistoryDialog::ChooseExportFile);
    m_close.setObjectName(QStringLiteral("historyClose"));
    m_close.setText(Translate(historytext::kClose));
    m_close.setDefault(true);
    connect(&m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto buttons = std::make_unique<QHBoxLayout>();
    buttons->addStretch();
    buttons->addWidget(&m_export);
    buttons->addWidget(&m_close);
    auto layout = std::make_unique<QVBoxLayout>();
    layout->addWidget(&m_note);
    m_tabs.setObjectName(QStringLiteral("historyTabs"));
    m_tabs.addTab(&m_table, Translate(historytext::kRecordsTab));
    m_tabs.addTab(std::make_unique<WearChart>(samples).release(), Translate(historytext::kWearTab));
    layout->addWidget(&m_tabs);
    layout->addLayout(buttons.release());  // the layout takes ownership
    setLayout(layout.release());          // the dialog takes ownership
    resize(960, 420);
}

bool HistoryDialog::ExportTo(const QString& path) {
    const std::string csv = HistoryCsv(m_history.rows);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) &&
                         file.commit();
    if (!written) {
        QtMessageBox(this).Show(Message::Of(historytext::kNotWritten,
                                            {path.toStdString(), file.errorString().toStdString()}),
                                MbButtons::Ok, MbIcon::Warning);
        return false;
    }
    // Told briefly where the dialog says what it shows, then that line is back.
    m_note.setText(Render(Message::Of(historytext::kWritten, {path.toStdString()})));
    m_noteBack.start(kExportedNoteMs);
    return true;
}

void HistoryDialog::ChooseExportFile() {
    const QString path = QFileDialog::getSaveFileName(
        this, Translate(historytext::kExportTitle),
        QDir::home().filePath(QString::fromLatin1(historytext::kDefaultFileName)),
        Translate(historytext::kCsvFiles));
    if (!path.isEmpty()) ExportTo(path);
}

QAction* AddHistoryCommand(QWidget& window, const UsageRecordPlatform& platform) {
    auto separator = std::make_unique<QAction>(&window);
    separator->setSeparator(true);
    window.addAction(separator.release());  // the window owns its actions
    auto action = std::make_unique<QAction>(Translate(historytext::kMenu), &window);
    action->setObjectName(QStringLiteral("historyCommand"));
    QObject::connect(action.get(), &QAction::triggered, &window, [&window, &platform] {
        HistoryDialog dialog(ReadUsageHistory(platform), ReadSamples(platform), ModalParent(&window));
        dialog.setWindowModality(Qt::WindowModal);
        dialog.exec();
    });
    window.addAction(action.get());
    return action.release();
}

}  // namespace zt40::ui
