#pragma once
// "Maintenance history...": the usage record's records, newest first, read-only; a record
// restore would pass over is shaded and says why. The rows come from the core, which the
// command line's history shares.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <vector>

#include "record/CounterSamples.h"
#include "record/HistoryTexts.h"
#include "record/UsageHistory.h"

namespace zt40::ui {

class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    // `samples` feed the "Wear" view beside the records.
    explicit HistoryDialog(HistoryRead history, const SamplesRead& samples = {}, QWidget* parent = nullptr);

    const QTableWidget& Table() const { return m_table; }
    // The line above the records: what they are, or for a while how the export went.
    const QLabel& Note() const { return m_note; }
    // Opens on the "Wear" view instead of the records.
    void ShowWear() { m_tabs.setCurrentIndex(1); }
    // Writes the rows as CSV, confirmed for a while in the note; false, with the reason shown in
    // a box, when the file cannot be written.
    bool ExportTo(const QString& path);

private:
    void ChooseExportFile();

    HistoryRead m_history;
    QLabel m_note{this};
    QTimer m_noteBack;
    QTabWidget m_tabs{this};  // before the pages: they leave it before it goes
    QTableWidget m_table{this};
    QPushButton m_export{this};
    QPushButton m_close{this};
};

// Adds "Maintenance history..." to `window`'s menu (its actions, after a separator). Each time
// the command reads the record file anew and shows it over the window. `platform` must outlive
// the window. Returns the action, owned by the window.
QAction* AddHistoryCommand(QWidget& window, const UsageRecordPlatform& platform);

}  // namespace zt40::ui
