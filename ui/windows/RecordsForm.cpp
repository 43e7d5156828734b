#include "ui/windows/RecordsForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

#include "chart/widget/ResponseChartView.h"
#include "model/CodeTables.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "model/SpectrumSampling.h"
#include "records/RecordScaling.h"
#include "ui/files/BitmapFile.h"
#include "ui/files/FileWriter.h"
#include "ui/files/RecordFile.h"
#include "ui/files/RecordsCsvText.h"
#include "ui/platform/ErrorText.h"
#include "ui/platform/Fonts.h"
#include "ui/widgets/CheckTable.h"
#include "ui/widgets/RecordTable.h"
#include "ui/windows/FieldCheck.h"
#include "ui/windows/PeriodList.h"

namespace {

constexpr int kWidth = 1240;
constexpr int kHeight = 780;
constexpr int kProgressSteps = 1000;
constexpr int kViewIntervalMs = 100;
constexpr int kButtonWidth = 96;
constexpr Rgb kDesignColour = 0xE00000;
constexpr Rgb kMeanColour = 0x000000;
constexpr LineStyle kDesignLine{3, false};
constexpr LineStyle kBandLine{1, true};
constexpr LineStyle kMeanLine{3, false};
constexpr LineStyle kRecordLine{1, false};
const QColor kPassText(0x00, 0x61, 0x00);
const QColor kFailText(0x9C, 0x00, 0x06);

// The units of text records, in the order of the units list.
constexpr AccelerationUnit kUnits[] = {
    AccelerationUnit::G, AccelerationUnit::MetresPerSecondSquared, AccelerationUnit::Gal};

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString Pattern(NumberPattern pattern, double value) { return Text(FormatPattern(pattern, value)); }

QPushButton* MakeButton(const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  button->setMinimumWidth(kButtonWidth);
  return button;
}

QComboBox* MakeList(std::span<const char* const> items, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (const char* item : items) list->addItem(QString::fromUtf8(item));
  return list;
}

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  return label;
}

std::vector<ChartPoint> Points(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<ChartPoint> points;
  points.reserve(y.size());
  for (std::size_t i = 0; i < y.size() && i < x.size(); ++i) points.push_back({x[i], y[i]});
  return points;
}

std::vector<double> Times(const std::vector<double>& values, double factor) {
  std::vector<double> scaled = values;
  for (double& value : scaled) value *= factor;
  return scaled;
}

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

  auto* grid = new QGridLayout(this);
  grid->addWidget(BuildRecordsGroup(), 0, 0);
  grid->addWidget(BuildSettingsGroup(), 0, 1);
  grid->addWidget(BuildChartGroup(), 1, 0);
  grid->addWidget(BuildCheckGroup(), 1, 1);
  grid->addWidget(BuildStatusRow(), 2, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(0, 2);
  grid->setRowStretch(1, 3);

  // Every handler runs as a command, so that no exception crosses the event loop.
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

  ShowAcceptedNumbers();
  ShowSeparatorTexts();
  ShowTargetValue();
  SpectraChanged();
  Refresh();
}

TRecordsForm::~TRecordsForm() = default;

QGroupBox* TRecordsForm::BuildRecordsGroup() {
  grpRecords = new QGroupBox(QStringLiteral("Ground Motion Records"), this);
  auto* layout = new QVBoxLayout(grpRecords);
  grdRecords = new RecordTable(grpRecords);
  layout->addWidget(grdRecords);

  auto* row = new QHBoxLayout;
  btnAdd = MakeButton(QStringLiteral("Add..."), grpRecords);
  btnRemove = MakeButton(QStringLiteral("Remove"), grpRecords);
  cbbUnits = new QComboBox(grpRecords);
  cbbUnits->addItems({QStringLiteral("g"), QStringLiteral("m/s²"), QStringLiteral("cm/s² (gal)")});
  edtStep = new QLineEdit(grpRecords);
  edtStep->setPlaceholderText(QStringLiteral("one-column files"));
  edtStep->setMaximumWidth(130);
  row->addWidget(btnAdd);
  row->addWidget(btnRemove);
  row->addStretch(1);
  row->addWidget(PlainLabel(QStringLiteral("Text records in"), grpRecords));
  row->addWidget(cbbUnits);
  row->addSpacing(8);
  row->addWidget(PlainLabel(QStringLiteral("Time step (s)"), grpRecords));
  row->addWidget(edtStep);
  layout->addLayout(row);

  Bind(btnAdd, &QPushButton::clicked, &TRecordsForm::btnAddClick);
  Bind(btnRemove, &QPushButton::clicked, &TRecordsForm::btnRemoveClick);
  return grpRecords;
}

QGroupBox* TRecordsForm::BuildSettingsGroup() {
  grpSettings = new QGroupBox(QStringLiteral("Scaling and Check"), this);
  auto* outer = new QVBoxLayout(grpSettings);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  edtDamping = new QLineEdit(grpSettings);
  cbbTarget = new QComboBox(grpSettings);
  cbbTarget->addItems({QStringLiteral("Code table for time-history analysis"),
                       QStringLiteral("Typed value"), QStringLiteral("No scaling")});
  cbbIntensity = MakeList(IntensityNames(), grpSettings);
  cbbAction = MakeList(ActionNames(), grpSettings);
  edtTargetPga = new QLineEdit(grpSettings);
  cbbDesign = new QComboBox(grpSettings);
  edtPeriods = new QLineEdit(grpSettings);
  lblPeriods = PlainLabel(QString(), grpSettings);
  edtTolerance = new QLineEdit(grpSettings);
  form->addRow(PlainLabel(QStringLiteral("Damping Ratio, ζ"), grpSettings), edtDamping);
  form->addRow(PlainLabel(QStringLiteral("Target PGA"), grpSettings), cbbTarget);
  form->addRow(PlainLabel(QStringLiteral("Seismic Intensity"), grpSettings), cbbIntensity);
  form->addRow(PlainLabel(QStringLiteral("Seismic Action"), grpSettings), cbbAction);
  form->addRow(PlainLabel(QStringLiteral("Target PGA (cm/s²)"), grpSettings), edtTargetPga);
  form->addRow(PlainLabel(QStringLiteral("Design Spectrum"), grpSettings), cbbDesign);
  form->addRow(lblPeriods, edtPeriods);
  form->addRow(PlainLabel(QStringLiteral("Tolerance (%)"), grpSettings), edtTolerance);
  outer->addLayout(form);
  outer->addStretch(1);

  auto* buttons = new QHBoxLayout;
  btnCheck = MakeButton(QStringLiteral("Check"), grpSettings);
  btnSaveData = MakeButton(QStringLiteral("Save Data"), grpSettings);
  btnSavePicture = MakeButton(QStringLiteral("Save Picture"), grpSettings);
  buttons->addWidget(btnCheck);
  buttons->addStretch(1);
  buttons->addWidget(btnSaveData);
  buttons->addWidget(btnSavePicture);
  outer->addLayout(buttons);

  Bind(cbbTarget, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(cbbIntensity, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(cbbAction, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(btnCheck, &QPushButton::clicked, &TRecordsForm::btnCheckClick);
  Bind(btnSaveData, &QPushButton::clicked, &TRecordsForm::btnSaveDataClick);
  Bind(btnSavePicture, &QPushButton::clicked, &TRecordsForm::btnSavePictureClick);
  return grpSettings;
}

QGroupBox* TRecordsForm::BuildChartGroup() {
  grpChart = new QGroupBox(QStringLiteral("Scaled Response Spectra"), this);
  auto* layout = new QVBoxLayout(grpChart);
  layout->setContentsMargins(2, 2, 2, 2);
  chtRecords = new ResponseChartView(grpChart);
  chtRecords->setToolTip(QString());
  chtRecords->SetAxisTitles(QStringLiteral("Period, T(s)"),
                            QStringLiteral("Pseudo-Spectral Acceleration, PSA (g)"));
  chtRecords->SetupLeftAxis();
  chtRecords->setMinimumSize(320, 220);
  layout->addWidget(chtRecords);
  return grpChart;
}

QGroupBox* TRecordsForm::BuildCheckGroup() {
  grpCheck = new QGroupBox(QStringLiteral("Compatibility Check"), this);
  auto* layout = new QVBoxLayout(grpCheck);
  grdCheck = new CheckTable(grpCheck);
  lblVerdict = PlainLabel(QString(), grpCheck);
  lblVerdict->setWordWrap(true);
  QFont bold = lblVerdict->font();
  bold.setBold(true);
  lblVerdict->setFont(bold);
  layout->addWidget(grdCheck, 1);
  layout->addWidget(lblVerdict);
  return grpCheck;
}

QWidget* TRecordsForm::BuildStatusRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  pbCompute = new QProgressBar(row);
  pbCompute->setRange(0, kProgressSteps);
  pbCompute->setValue(0);
  pbCompute->setTextVisible(false);
  pbCompute->setFixedWidth(240);
  lblStatus = PlainLabel(QString(), row);
  layout->addWidget(pbCompute);
  layout->addWidget(lblStatus, 1);
  return row;
}

void TRecordsForm::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    desktop_.Error(ErrorText(error));
  }
}

// ---- Records ----

std::optional<RecordReadOptions> TRecordsForm::ReadRecordOptions() {
  RecordReadOptions options;
  options.unit = kUnits[std::clamp(cbbUnits->currentIndex(), 0, 2)];
  if (edtStep->text().trimmed().isEmpty()) return options;
  const std::optional<double> step = FieldCheck(desktop_).Number(edtStep);
  if (!step) return std::nullopt;
  if (!(*step > 0)) {
    FieldCheck(desktop_).Refuse(QStringLiteral("Time step must be greater than 0 s."), edtStep);
    return std::nullopt;
  }
  options.step = *step;
  return options;
}

void TRecordsForm::btnAddClick() {
  if (!ReadRecordOptions()) return;
  QueueFiles(desktop_.OpenFileNames(
      {QStringLiteral("Ground motion records (*.AT2 *.at2 *.txt *.dat *.csv);;All files (*)"),
       QCoreApplication::applicationDirPath()}));
}

void TRecordsForm::QueueFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  const std::optional<RecordReadOptions> options = ReadRecordOptions();
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
  const std::optional<RecordReadOptions> options = ReadRecordOptions();
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
  const GroundMotion& motion = *entry.motion;
  grdRecords->AppendRecord(
      entry.id, {Text(motion.name), QString::number(motion.acceleration.size())}, entry.real);
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
    desktop_.Error(ErrorText(Text(entry->motion->name + ": " + result.error)));
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

void TRecordsForm::cbbTargetChange() { ShowTargetValue(); }

void TRecordsForm::ShowTargetValue() {
  const int kind = cbbTarget->currentIndex();
  const bool table = kind == static_cast<int>(TargetKind::CodeTable);
  const bool typed = kind == static_cast<int>(TargetKind::Typed);
  cbbIntensity->setEnabled(table);
  cbbAction->setEnabled(table);
  edtTargetPga->setEnabled(table || typed);
  edtTargetPga->setReadOnly(!typed);
  if (table) {
    edtTargetPga->setText(Text(FormatGeneral(
        TimeHistoryPeakAcceleration(cbbIntensity->currentIndex(), cbbAction->currentIndex()))));
  } else if (!typed) {
    edtTargetPga->clear();
  }
}

void TRecordsForm::ShowAcceptedNumbers() {
  edtDamping->setText(Text(FormatGeneral(inputs_.damping)));
  edtTolerance->setText(Text(FormatGeneral(inputs_.tolerance * 100)));
  if (inputs_.periods.empty()) return;
  QStringList periods;
  for (const double period : inputs_.periods) periods << Text(FormatGeneral(period));
  edtPeriods->setText(periods.join(PeriodListSeparator()));
}

void TRecordsForm::ShowSeparatorTexts() {
  const QString separator = PeriodListSeparator();
  lblPeriods->setText(QStringLiteral("Main Periods T1") + separator + QStringLiteral("T2") +
                      separator + QStringLiteral("... (s)"));
  edtPeriods->setPlaceholderText(Text(FormatGeneral(1.5)) + separator + Text(FormatGeneral(0.5)));
}

void TRecordsForm::SpectraChanged() {
  const QString picked = cbbDesign->currentText();
  cbbDesign->clear();
  for (const auto& spectrum : spectra_) cbbDesign->addItem(Text(spectrum->name));
  const int index = cbbDesign->findText(picked, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) cbbDesign->setCurrentIndex(index);

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
  const FieldCheck check(desktop_);
  accepted = inputs_;
  const std::optional<double> damping = check.Number(edtDamping);
  if (!damping) return -1;
  if (*damping < 0) {
    check.Refuse(QStringLiteral("Damping ratio must be postive."), edtDamping);
    return -1;
  }
  if (*damping >= 1) {
    check.Refuse(QStringLiteral("Damping ratio must be less than 1."), edtDamping);
    return -1;
  }
  accepted.damping = *damping;
  if (ReadTarget(accepted) < 0 || ReadPeriods(accepted) < 0) return -1;

  const std::optional<double> tolerance = check.Number(edtTolerance);
  if (!tolerance) return -1;
  if (!(*tolerance > 0 && *tolerance < 100)) {
    check.Refuse(QStringLiteral("Tolerance must be greater than 0 % and less than 100 %."),
                 edtTolerance);
    return -1;
  }
  accepted.tolerance = *tolerance / 100;

  if (cbbDesign->currentIndex() < 0) {
    check.Refuse(QStringLiteral("No design spectrum to check against: create one in the main "
                                "window first (Edit, Create)."),
                 cbbDesign);
    return -1;
  }
  accepted.design = cbbDesign->currentText().toStdString();
  if (records_.Empty()) {
    check.Refuse(QStringLiteral("No record to check: add ground motion records first."), btnAdd);
    return -1;
  }
  return 0;
}

std::int32_t TRecordsForm::ReadTarget(RecordInputs& accepted) {
  accepted.target = static_cast<TargetKind>(std::clamp(cbbTarget->currentIndex(), 0, 2));
  accepted.intensity = cbbIntensity->currentIndex();
  accepted.action = cbbAction->currentIndex();
  if (accepted.target != TargetKind::Typed) return 0;
  const FieldCheck check(desktop_);
  const std::optional<double> gal = check.Number(edtTargetPga);
  if (!gal) return -1;
  if (!(*gal > 0)) {
    check.Refuse(QStringLiteral("Target PGA must be greater than 0 cm/s²."), edtTargetPga);
    return -1;
  }
  accepted.typedGal = *gal;
  return 0;
}

std::int32_t TRecordsForm::ReadPeriods(RecordInputs& accepted) {
  const FieldCheck check(desktop_);
  const QStringList texts = SplitPeriodList(edtPeriods->text());
  if (texts.isEmpty()) {
    check.Refuse(QStringLiteral("Please Input the main periods T1") + PeriodListSeparator() +
                     QStringLiteral("T2 ... in seconds."),
                 edtPeriods);
    return -1;
  }
  std::vector<double> periods;
  for (const QString& text : texts) {
    const std::optional<double> period = check.Number(text, edtPeriods);
    if (!period) return -1;
    if (!(*period > 0 && *period <= 6)) {
      check.Refuse(QStringLiteral("Main periods must be greater than 0 s and at most 6 s."),
                   edtPeriods);
      return -1;
    }
    periods.push_back(*period);
  }
  accepted.periods = std::move(periods);
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
  const std::optional<QString> path = desktop_.SaveFileName(
      {QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), QStringLiteral("Records"),
       QCoreApplication::applicationDirPath(), true});
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
  const std::optional<QString> path = desktop_.SaveFileName(
      {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("bmp"), QStringLiteral("Records"),
       QCoreApplication::applicationDirPath(), false});
  if (!path) return;
  WriteBitmapFile(*path, chtRecords->RenderImage());
}

void TRecordsForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::LocaleChange) return;
  SetDecimalSeparator(desktop_.DecimalSymbol().toStdString());
  // Texts in the old separator would no longer read; the accepted values are written anew.
  ShowAcceptedNumbers();
  ShowSeparatorTexts();
  ShowTargetValue();
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

void TRecordsForm::RefreshRows() {
  for (const RecordEntry& entry : records_.Entries()) {
    const GroundMotion& motion = *entry.motion;
    grdRecords->SetText(entry.id, RecordTable::Step, Text(FormatGeneral(motion.step)));
    grdRecords->SetText(entry.id, RecordTable::Duration,
                        Pattern(NumberPattern::TwoDecimals, Duration(motion)));
    grdRecords->SetText(entry.id, RecordTable::Pga,
                        Pattern(NumberPattern::SixDecimals, entry.peak));
    grdRecords->SetText(entry.id, RecordTable::ScaleFactor,
                        Pattern(NumberPattern::SixDecimals, entry.scaleFactor));
    grdRecords->SetText(entry.id, RecordTable::Spectrum,
                        entry.failed     ? QStringLiteral("Failed")
                        : entry.spectrum ? QStringLiteral("Ready")
                                         : QStringLiteral("Computing..."));
  }
}

void TRecordsForm::RefreshChart() {
  std::vector<ResponseChartView::NewSeries> series;
  const std::vector<double> periods = DefaultPeriods();
  if (design_) {
    const std::vector<double> sa = DesignSa();
    const std::string percent = FormatGeneral(inputs_.tolerance * 100) + " %";
    series.push_back({design_->name, Points(periods, sa), kDesignLine, kDesignColour});
    series.push_back({"+" + percent, Points(periods, Times(sa, 1 + inputs_.tolerance)), kBandLine,
                      kDesignColour});
    series.push_back({"-" + percent, Points(periods, Times(sa, 1 - inputs_.tolerance)), kBandLine,
                      kDesignColour});
  }
  if (!records_.Empty() && records_.AllComputed()) {
    series.push_back({"Mean", Points(periods, records_.MeanPsa()), kMeanLine, kMeanColour});
  }
  for (const RecordEntry& entry : records_.Entries()) {
    if (!entry.spectrum) continue;
    series.push_back({entry.motion->name,
                      Points(entry.spectrum->periods, RecordSet::ScaledPsa(entry)),
                      kRecordLine,
                      {}});
  }
  chtRecords->ReplaceAllSeries(std::move(series));
}

void TRecordsForm::RefreshCheck() {
  check_.reset();
  grdCheck->ClearResult();
  QPalette palette = lblVerdict->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  const auto say = [&](const QString& text) {
    lblVerdict->setPalette(palette);
    lblVerdict->setText(text);
  };
  if (inputs_.design.empty() || inputs_.periods.empty()) {
    say(QStringLiteral("Pick the design spectrum, type the main periods and press Check."));
    return;
  }
  if (!design_) {
    say(QStringLiteral("The design spectrum \"%1\" has been deleted: pick another one and press "
                       "Check.")
            .arg(Text(inputs_.design)));
    return;
  }
  if (records_.Empty()) {
    say(QStringLiteral("No record to check: add ground motion records."));
    return;
  }
  if (const RecordEntry* failed = records_.FirstFailed()) {
    say(QStringLiteral("The spectra of \"%1\" could not be computed: remove the record.")
            .arg(Text(failed->motion->name)));
    return;
  }
  const std::optional<std::vector<CheckRecord>> set = records_.CheckSet();
  if (!set) {
    say(QStringLiteral("Computing the records' spectra..."));
    return;
  }
  check_ = CheckCompatibility(*set, *design_, {inputs_.periods, inputs_.tolerance});
  grdCheck->ShowResult(*check_);

  QStringList reasons;
  int failing = 0;
  for (const PeriodCheck& period : check_->periods) failing += period.passes ? 0 : 1;
  if (failing > 0) {
    reasons << QStringLiteral(
                   "the mean is off the design value by more than %1 % at %2 of %3 "
                   "periods")
                   .arg(Text(FormatGeneral(inputs_.tolerance * 100)))
                   .arg(failing)
                   .arg(check_->periods.size());
  }
  int shortRecords = 0;
  for (const RecordCheck& record : check_->records) shortRecords += record.tooShort ? 1 : 0;
  if (shortRecords > 0) {
    reasons << QStringLiteral("%1 record(s) shorter than %2 s")
                   .arg(shortRecords)
                   .arg(Pattern(NumberPattern::TwoDecimals, check_->minimumDuration));
  }
  if (check_->tooFewReal)
    reasons << QStringLiteral("fewer than two thirds of the records are real");
  palette.setColor(QPalette::WindowText, check_->passes ? kPassText : kFailText);
  say(check_->passes
          ? QStringLiteral("Pass: the record set matches the design spectrum.")
          : QStringLiteral("Fail: ") + reasons.join(QStringLiteral("; ")) + QStringLiteral("."));
}

void TRecordsForm::RefreshProgress() {
  const std::size_t ready = records_.ComputedCount();
  if (records_.Empty()) {
    pbCompute->setValue(0);
    lblStatus->setText(
        QStringLiteral("No records. Add record files or drop them onto this window."));
    return;
  }
  if (!pendingFiles_.empty()) {
    lblStatus->setText(QStringLiteral("Reading files: %1 left.").arg(pendingFiles_.size()));
  }
  const double done = jobs_.Busy() ? jobs_.Progress() : 1.0;
  pbCompute->setValue(static_cast<int>(std::lround(done * kProgressSteps)));
  lblStatus->setText(jobs_.Busy()
                         ? QStringLiteral("Computing spectra: %1 of %2 records ready.")
                               .arg(ready)
                               .arg(records_.Size())
                         : QStringLiteral("Spectra of all %1 records ready.").arg(records_.Size()));
}
