#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/CompatibilityCheck.h"
#include "records/RecordReader.h"
#include "ui/platform/Desktop.h"
#include "ui/platform/SpectrumJobs.h"
#include "ui/windows/RecordEntry.h"
#include "ui/windows/RecordInputs.h"
#include "ui/windows/RecordListControls.h"
#include "ui/windows/RecordSet.h"
#include "ui/windows/RecordSettingsControls.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class CheckTable;
class RecordChartGroup;
class RecordCheckGroup;
class RecordListGroup;
class RecordReportRow;
class RecordSettingsGroup;
class RecordStatusRow;
class RecordChart;
class SpectrumList;

// The ground-motion records window: records read from files, their response spectra scaled to
// a target peak ground acceleration, and the code's compatibility check against one of the
// main window's design spectra at the structure's main periods. Spectra are computed on worker
// threads and appear as each record finishes; the window stays responsive meanwhile.
// Non-modal; closing only hides it, so its records stay for the next showing.
class TRecordsForm : public QWidget, public RecordListControls, public RecordSettingsControls {
  Q_OBJECT

 public:
  // `spectra` is the main window's set, which outlives this window.
  TRecordsForm(const SpectrumList& spectra, Desktop& desktop, QWidget* owner);
  ~TRecordsForm() override;

  // Command handlers; buttons run them through RunCommand.
  void btnAddClick();
  void btnRemoveClick();
  void btnCheckClick();
  void btnSaveDataClick();
  void btnSavePictureClick();
  // Checks the settings as typed (as Check does), then saves the one-page PDF report.
  void btnSaveReportClick();
  void cbbTargetChange();
  // The main window created or deleted spectra: refills the design spectrum list.
  void SpectraChanged();

  // Reads and adds record files at once; a file that cannot be read gets a warning and is left
  // out, the others are added.
  void AddFiles(const QStringList& paths);
  // The same one file per turn of the event loop; the dialog and dropped files go this way.
  void QueueFiles(const QStringList& paths);
  // Reads every setting into `accepted`; -1 after a warning for the first bad one.
  std::int32_t ReadInputs(RecordInputs& accepted);
  // Runs a command; an error it throws ends it and goes to the error display.
  void RunCommand(const std::function<void()>& command);

  // To read: the accepted settings, the records, whether files are read or spectra computed,
  // and the last complete check.
  const RecordInputs& Inputs() const { return inputs_; }
  const std::vector<RecordEntry>& Records() const { return records_.Entries(); }
  bool Reading() const { return !pendingFiles_.empty(); }
  bool Computing() const { return jobs_.Busy() || Reading(); }
  const std::optional<CheckResult>& Check() const { return check_; }

  // The window's controls; those of the record list and the settings come with its bases.
  QGroupBox* grpRecords = nullptr;
  QGroupBox* grpSettings = nullptr;
  QGroupBox* grpChart = nullptr;
  RecordChart* chtRecords = nullptr;
  QGroupBox* grpCheck = nullptr;
  CheckTable* grdCheck = nullptr;
  QLabel* lblVerdict = nullptr;
  QProgressBar* pbCompute = nullptr;
  QLabel* lblStatus = nullptr;
  RecordReportRow* rowReport = nullptr;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Builds the window's parts and points the members above into them.
  void BuildParts();
  template <typename Sender, typename Signal>
  void Bind(Sender* sender, Signal signal, void (TRecordsForm::*handler)());

  // Accepts the settings as typed and checks with them; false after a warning.
  bool ApplyInputs();
  void ReadNextFile();
  void AddFile(const QString& path, const RecordReadOptions& options);
  void StartJob(const RecordEntry& entry);
  void OnJobFinished(const SpectrumJobResult& result);
  void OnRealChanged(int id, bool real);

  // Views of the records and the check, from the state above.
  void Refresh();
  // The chart and the check now, or soon while spectra are still arriving.
  void ScheduleViews();
  void RefreshViews();
  void RefreshRows();
  void RefreshChart();
  void RefreshCheck();
  void RefreshProgress();
  std::vector<double> DesignSa() const;

  const SpectrumList& spectra_;
  Desktop& desktop_;
  RecordListGroup* listGroup_ = nullptr;
  RecordSettingsGroup* settingsGroup_ = nullptr;
  RecordChartGroup* chartGroup_ = nullptr;
  RecordCheckGroup* checkGroup_ = nullptr;
  RecordStatusRow* statusRow_ = nullptr;
  RecordInputs inputs_;
  std::unique_ptr<DesignSpectrum> design_;  // a copy of the accepted design spectrum
  RecordSet records_;
  std::optional<CheckResult> check_;
  std::deque<std::pair<QString, RecordReadOptions>> pendingFiles_;
  QTimer viewTimer_;
  // Last, so that it goes first: its workers stop before anything else of this window goes.
  SpectrumJobs jobs_;
};
