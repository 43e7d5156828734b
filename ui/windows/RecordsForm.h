// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/CompatibilityCheck.h"
#include "records/RecordReader.h"
#include "ui/platform/ArtificialJobs.h"
#include "ui/platform/Desktop.h"
#include "ui/platform/RecordReadJobs.h"
#include "ui/platform/SelectionJobs.h"
#include "ui/platform/SpectrumJobs.h"
#include "ui/windows/ArtificialDialog.h"
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
  // Generates artificial records fitted to the accepted design spectrum and target on a worker
  // thread; while they are made, the same button cancels them.
  void btnGenerateClick();
  // Writes the selected record as PEER AT2, two-column or one-column text, by the filter picked.
  void btnSaveRecordClick();
  // Chooses the best set from record files picked on a worker thread, shows it with the
  // alternatives and adds its records; while it runs, the same button cancels it.
  void btnSelectClick();
  void btnSaveDataClick();
  void btnSavePictureClick();
  // Checks the settings as typed (as Check does), then saves the one-page PDF report.
  void btnSaveReportClick();
  void cbbTargetChange();
  // The main window created or deleted spectra: refills the design spectrum list.
  void SpectraChanged();

  // Reads and adds record files at once, on this thread; files that cannot be read are left
  // out, the others are added, and one warning lists the files left out with the reasons.
  void AddFiles(const QStringList& paths);
  // The same on a worker thread: each file is listed at once and filled in when it is read;
  // the dialog and dropped files go this way.
  void QueueFiles(const QStringList& paths);
  // Reads every setting into `accepted`; -1 after a warning for the first bad one. Without
  // `checkNeeded`, blank main periods mean spectra without a check.
  std::int32_t ReadInputs(RecordInputs& accepted, bool checkNeeded = true);
  // The settings were changed since the last check: the check is not shown, and saving
  // checks first.
  bool Stale() const { return stale_; }
  // Runs a command; an error it throws ends it and goes to the error display.
  void RunCommand(const std::function<void()>& command);

  // To read: the accepted settings, the records, whether files are read or spectra computed,
  // and the last complete check.
  const RecordInputs& Inputs() const { return inputs_; }
  const std::vector<RecordEntry>& Records() const { return records_.Entries(); }
  bool Reading() const { return !reading_.empty(); }
  bool Computing() const { return jobs_.Busy() || Reading() || Generating() || Selecting(); }
  bool Generating() const { return artificial_.Busy(); }
  bool Selecting() const { return selection_.Busy(); }

  // Asks for the figures of a generation, starting from the last ones; no value on cancel.
  // Tests answer it themselves, the dialog would block.
  std::function<std::optional<ArtificialRequest>(const ArtificialRequest&)> askArtificial;
  // Asks for the size of the set to select, starting from the last one; no value on cancel.
  std::function<std::optional<int>(int)> askSetSize;
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
  void closeEvent(QCloseEvent* event) override;

 private:
  // Builds the window's parts and points the members above into them.
  void BuildParts();
  template <typename Sender, typename Signal>
  void Bind(Sender* sender, Signal signal, void (TRecordsForm::*handler)());

  // One Add: its files still being read, and the reasons of those left out so far.
  struct AddBatch {
    std::size_t reading = 0;
    std::vector<QString> reasons;  // one per file, in the order given; empty when it was added
  };
  struct ReadingFile {
    int batch = 0;
    std::size_t index = 0;  // in the batch
    QString path;           // full path
  };
  // Starts a batch with the files not yet listed; `now` reads them on this thread.
  void AddBatchOfFiles(const QStringList& paths, bool now);
  void OnFileRead(const RecordReadResult& result);
  // A file of a batch is done; the batch's one message goes out when it was the last.
  void FileDone(const ReadingFile& file, const QString& failure);
  void EndBatchIfDone(int batch);
  // Stops reading the file of this row; false when it is not being read.
  bool CancelReading(int id);
  void CancelAllReading();
  // Shows the warnings one after the other, never one inside the event loop of another.
  void Notify(const QStringList& failures);
  void ShowNotices();
  void StartJob(const RecordEntry& entry);
  void OnJobFinished(const SpectrumJobResult& result);
  void OnRealChanged(int id, bool real);
  void OnArtificialMade(const ArtificialJobResult& result);
  void OnSelectionMade(const SelectionJobResult& result);

  // Takes the typed settings when they are valid (else a warning names the first bad one), and
  // checks the records with them; false when refused. Without `checkNeeded` (before saving),
  // blank main periods mean no check.
  bool ApplySettings(bool checkNeeded);
  // A setting was edited or picked.
  void SettingsEdited();
  // The picked design spectrum, or null.
  const DesignSpectrum* PickedDesign() const;
  // Fills in the figures of a newly picked design spectrum: its damping (unless the user typed
  // one) and the level of its AlphaMax.
  void DesignPicked();
  void ShowDesign();
  void SetDampingText(double damping);
  // Runs `write` with the fields' change signals taken as the window's own doing.
  void WriteFields(const std::function<void()>& write);
  // Refuses to save while results are pending or a record failed; checks stale settings first.
  bool ReadyToSave();

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
  std::map<int, ReadingFile> reading_;  // by record id
  QSet<QString> readingPaths_;
  std::map<int, AddBatch> batches_;
  int nextBatch_ = 1;
  std::deque<QStringList> notices_;
  bool noticing_ = false;
  QTimer noticeTimer_;  // asks again while another box or dialog is open
  bool stale_ = false;
  bool ownWrite_ = false;       // the window writes the fields itself
  bool dampingFollows_ = true;  // the damping field follows the design spectrum's
  QString pickedDesign_;        // the design spectrum whose figures the fields took
  QTimer viewTimer_;
  ArtificialRequest lastRequest_;
  int lastSetSize_ = 7;
  // Last, so that they go first: their workers stop before anything else of this window goes.
  RecordReadJobs reads_;
  SpectrumJobs jobs_;
  ArtificialJobs artificial_;
  SelectionJobs selection_;
};
