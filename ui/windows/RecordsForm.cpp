#include "ui/windows/RecordsForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "chart/widget/ResponseChartView.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "model/SpectrumSampling.h"
#include "ui/files/BitmapFile.h"
#include "ui/files/FileWriter.h"
#include "ui/files/RecordFile.h"
#include "ui/files/RecordsCsvText.h"
#include "ui/platform/ErrorText.h"
#include "ui/platform/Fonts.h"
#include "ui/platform/ScreenPlacement.h"
#include "ui/widgets/RecordTable.h"
#include "ui/windows/FieldCheck.h"
#include "ui/windows/RecordChartGroup.h"
#include "ui/windows/RecordCheckGroup.h"
#include "ui/windows/RecordListGroup.h"
#include "ui/windows/RecordSettingsGroup.h"
#include "ui/windows/RecordStatusRow.h"

namespace {

constexpr int kWidth = 1240;
constexpr int kHeight = 780;
constexpr int kViewIntervalMs = 100;

}  // namespace

template <typename Sender, typename Signal>
void TRecordsForm::Bind(Sender* sender, Signal signal, void (TRecordsForm::*handler)()) {
  connect(sender, signal, this, [this, handler] { RunCommand([=, this] { (this->*handler)(); }); });
}

TRecordsForm::TRecordsForm(const SpectrumList& spectra, Desktop& desktop, QWidget* owner)
    : QWidget(owner, Qt::Window), spectra_(spectra), desktop_(desktop) {
  setWindowTitle(QStringLiteral("Ground Motion Records"));
  setFont(WindowFont(12));
  setAcceptDrops(true);
  resize(kWidth, kHeight);
  FitWindowToScreen(*this, owner);
  BuildParts();

  // Every handler runs as a command, so that no exception crosses the event loop.
  Bind(btnAdd, &QPushButton::clicked, &TRecordsForm::btnAddClick);
  Bind(btnRemove, &QPushButton::clicked, &TRecordsForm::btnRemoveClick);
  Bind(cbbTarget, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(cbbIntensity, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(cbbAction, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(btnCheck, &QPushButton::clicked, &TRecordsForm::btnCheckClick);
  Bind(btnSaveData, &QPushButton::clicked, &TRecordsForm::btnSaveDataClick);
  Bind(btnSavePicture, &QPushButton::clicked, &TRecordsForm::btnSavePictureClick);
  connect(&jobs_, &SpectrumJobs::finished, this, [this](const SpectrumJobResult& result) {
    RunCommand([this, &result] { OnJobFinished(result); });
  });
  Bind(&jobs_, &SpectrumJobs::progressed, &TRecordsForm::RefreshProgress);
  // While spectra arrive, the chart and the check are redrawn at most this often.
  viewTimer_.setSingleShot(true);
  viewTimer_.setInterval(kViewIntervalMs);
  connect(&viewTimer_, &QTimer::timeout, this, [this] { RunCommand([this] { RefreshViews(); }); });
  connect(grdRecords, &RecordTable::realChanged, this,
          [this](int id, bool real) { RunCommand([=, this] { OnRealChanged(id, real); }); });

  settingsGroup_->ShowAcceptedNumbers(inputs_);
  settingsGroup_->ShowSeparatorTexts();
  settingsGroup_->ShowTargetValue();
  SpectraChanged();
  Refresh();
}

TRecordsForm::~TRecordsForm() = default;

void TRecordsForm::BuildParts() {
  listGroup_ = new RecordListGroup(desktop_, this);
  settingsGroup_ = new RecordSettingsGroup(desktop_, this);
  chartGroup_ = new RecordChartGroup(this);
  checkGroup_ = new RecordCheckGroup(this);
  statusRow_ = new RecordStatusRow(this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(listGroup_, 0, 0);
  grid->addWidget(settingsGroup_, 0, 1);
  grid->addWidget(chartGroup_, 1, 0);
  grid->addWidget(checkGroup_, 1, 1);
  grid->addWidget(statusRow_, 2, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(0, 2);
  grid->setRowStretch(1, 3);

  grpRecords = listGroup_;
  static_cast<RecordListControls&>(*this) = *listGroup_;
  grpSettings = settingsGroup_;
  static_cast<RecordSettingsControls&>(*this) = *settingsGroup_;
  grpChart = chartGroup_;
  chtRecords = chartGroup_->chtRecords;
  grpCheck = checkGroup_;
  grdCheck = checkGroup_->grdCheck;
  lblVerdict = checkGroup_->lblVerdict;
  pbCompute = statusRow_->pbCompute;
  lblStatus = statusRow_->lblStatus;
}

void TRecordsForm::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    desktop_.Error(ErrorText(error));
  }
}

// ---- Records ----

void TRecordsForm::btnAddClick() {
  if (!listGroup_->ReadOptions()) return;
  QueueFiles(desktop_.OpenFileNames(
      {QStringLiteral("Ground motion records (*.AT2 *.at2 *.txt *.dat *.csv);;All files (*)"),
       QDir::homePath()}));
}

void TRecordsForm::QueueFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  const std::optional<RecordReadOptions> options = listGroup_->ReadOptions();
  if (!options) return;
  const bool idle = pendingFiles_.empty();
  for (const QString& path : paths) pendingFiles_.emplace_back(path, *options);
  if (idle) QTimer::singleShot(0, this, [this] { RunCommand([this] { ReadNextFile(); }); });
  RefreshProgress();
}

void TRecordsForm::ReadNextFile() {
  if (pendingFiles_.empty()) return;
  const auto [path, options] = pendingFiles_.front();
  pendingFiles_.pop_front();
  // One file per turn of the event loop, so that the window answers while many are read.
  if (!pendingFiles_.empty()) {
    QTimer::singleShot(0, this, [this] { RunCommand([this] { ReadNextFile(); }); });
  }
  AddFile(path, options);
  RefreshRows();
  RefreshProgress();
  ScheduleViews();
}

void TRecordsForm::AddFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  const std::optional<RecordReadOptions> options = listGroup_->ReadOptions();
  if (!options) return;
  for (const QString& path : paths) AddFile(path, *options);
  Refresh();
}

void TRecordsForm::AddFile(const QString& path, const RecordReadOptions& options) {
  const QFileInfo info(path);
  if (records_.HasPath(info.absoluteFilePath())) {
    desktop_.Warning(QStringLiteral("\"%1\" is already in the list.").arg(info.fileName()));
    return;
  }
  std::variant<GroundMotion, QString> read = ReadRecordFile(path, options);
  if (const QString* message = std::get_if<QString>(&read)) {
    desktop_.Warning(*message);
    return;
  }
  const RecordEntry& entry =
      records_.Add(std::move(std::get<GroundMotion>(read)), info.absoluteFilePath());
  listGroup_->Append(entry);
  records_.Rescale(inputs_.TargetGal());
  StartJob(entry);
}

void TRecordsForm::btnRemoveClick() {
  const std::vector<int> ids = grdRecords->SelectedIds();
  if (ids.empty()) return;
  for (const int id : ids) {
    // A result still on its way is dropped: its job is gone.
    jobs_.Cancel(id);
    grdRecords->RemoveRecord(id);
    records_.Remove(id);
  }
  Refresh();
}

void TRecordsForm::StartJob(const RecordEntry& entry) {
  jobs_.Start({entry.id, entry.motion, inputs_.damping, inputs_.periods});
}

void TRecordsForm::OnJobFinished(const SpectrumJobResult& result) {
  RecordEntry* entry = records_.Find(result.id);
  if (entry == nullptr) return;
  if (!result.error.empty()) {
    entry->failed = true;
    Refresh();
    desktop_.Error(ErrorText(QString::fromStdString(entry->motion->name + ": " + result.error)));
    return;
  }
  entry->spectrum = result.spectrum;
  entry->check = result.check;
  RefreshRows();
  ScheduleViews();
}

void TRecordsForm::ScheduleViews() {
  if (!Computing()) {
    viewTimer_.stop();
    RefreshViews();
  } else if (!viewTimer_.isActive()) {
    viewTimer_.start();
  }
}

void TRecordsForm::OnRealChanged(int id, bool real) {
  if (RecordEntry* entry = records_.Find(id)) {
    entry->real = real;
    RefreshCheck();
  }
}

void TRecordsForm::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void TRecordsForm::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  RunCommand([this, paths] { QueueFiles(paths); });
}

// ---- Settings ----

void TRecordsForm::cbbTargetChange() { settingsGroup_->ShowTargetValue(); }

void TRecordsForm::SpectraChanged() {
  settingsGroup_->ListDesignSpectra(spectra_);
  if (inputs_.design.empty()) return;
  const std::size_t found = spectra_.Find(inputs_.design);
  if (found == spectra_.Size()) {
    design_.reset();
  } else {
    const DesignSpectrum& s = spectra_.At(found);
    design_ = std::make_unique<DesignSpectrum>(s.name, s.alphaMax, s.tg, s.damping, s.codeType);
  }
  Refresh();
}

std::int32_t TRecordsForm::ReadInputs(RecordInputs& accepted) {
  accepted = inputs_;
  if (settingsGroup_->ReadInputs(accepted) < 0) return -1;
  if (records_.Empty()) {
    FieldCheck(desktop_).Refuse(
        QStringLiteral("No record to check: add ground motion records first."), btnAdd);
    return -1;
  }
  return 0;
}

void TRecordsForm::btnCheckClick() {
  RecordInputs accepted;
  if (ReadInputs(accepted) < 0) return;
  const std::size_t found = spectra_.Find(accepted.design);
  if (found == spectra_.Size()) return;  // the list is kept in step with the spectra
  const bool recompute = accepted.damping != inputs_.damping || accepted.periods != inputs_.periods;
  inputs_ = std::move(accepted);
  const DesignSpectrum& s = spectra_.At(found);
  design_ = std::make_unique<DesignSpectrum>(s.name, s.alphaMax, s.tg, s.damping, s.codeType);
  records_.Rescale(inputs_.TargetGal());
  if (recompute) {
    records_.ForgetComputed();
    for (const RecordEntry& entry : records_.Entries()) StartJob(entry);
  }
  Refresh();
}

// ---- Files ----

void TRecordsForm::btnSaveDataClick() {
  if (records_.Empty()) {
    desktop_.Information(QStringLiteral("No ground motion record has been added."));
    return;
  }
  if (!records_.AllComputed()) {
    desktop_.Information(
        QStringLiteral("The spectra are still being computed; save them when they are ready."));
    return;
  }
  const std::optional<QString> path =
      desktop_.SaveFileName({QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"),
                             QStringLiteral("Records"), QDir::homePath(), true});
  if (!path) return;

  RecordsCsvContent content;
  content.damping = inputs_.damping;
  content.targetGal = inputs_.TargetGal();
  content.tolerance = inputs_.tolerance;
  content.periods = DefaultPeriods();
  content.records = records_.CsvRecords();
  content.mean = records_.MeanPsa();
  if (design_) {
    content.design = design_.get();
    content.designSa = DesignSa();
  }
  if (check_) content.check = &*check_;
  WriteWholeFile(*path, QByteArray::fromStdString(BuildRecordsCsvText(content)));
  desktop_.Information(QStringLiteral("Export Completed"));
}

void TRecordsForm::btnSavePictureClick() {
  const std::optional<QString> path =
      desktop_.SaveFileName({QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("bmp"),
                             QStringLiteral("Records"), QDir::homePath(), false});
  if (!path) return;
  WriteBitmapFile(*path, chtRecords->RenderImage());
}

void TRecordsForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::LocaleChange) return;
  SetDecimalSeparator(desktop_.DecimalSymbol().toStdString());
  // Texts in the old separator would no longer read; the accepted values are written anew.
  settingsGroup_->ShowAcceptedNumbers(inputs_);
  settingsGroup_->ShowSeparatorTexts();
  settingsGroup_->ShowTargetValue();
  chtRecords->RefreshLabels();
  Refresh();
}

// ---- Views ----

std::vector<double> TRecordsForm::DesignSa() const {
  return design_ ? SampleSpectrum(*design_, FinePeriodCount(), FinePeriod) : std::vector<double>{};
}

void TRecordsForm::Refresh() {
  RefreshRows();
  RefreshViews();
  RefreshProgress();
}

void TRecordsForm::RefreshViews() {
  RefreshChart();
  RefreshCheck();
}

void TRecordsForm::RefreshRows() { listGroup_->ShowRows(records_); }

void TRecordsForm::RefreshChart() {
  chartGroup_->Show(design_.get(), DesignSa(), inputs_.tolerance, records_);
}

void TRecordsForm::RefreshCheck() {
  check_.reset();
  check_ = checkGroup_->Show(inputs_, design_.get(), records_);
}

void TRecordsForm::RefreshProgress() { statusRow_->Show(records_, pendingFiles_.size(), jobs_); }
