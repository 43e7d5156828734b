#include "ui/windows/Unit1.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "chart/widget/ResponseChartView.h"
#include "model/CodeTables.h"
#include "model/CsvText.h"
#include "model/InputCheck.h"
#include "model/NumberText.h"
#include "model/SaRangeCheck.h"
#include "model/Warning.h"
#include "ui/files/BitmapFile.h"
#include "ui/files/FileWriter.h"
#include "ui/platform/AuthorInfo.h"
#include "ui/platform/Captions.h"
#include "ui/platform/ErrorText.h"
#include "ui/platform/Fonts.h"
#include "ui/platform/ScreenPlacement.h"
#include "ui/widgets/DataTableModel.h"
#include "ui/widgets/GradientStatusBar.h"
#include "ui/widgets/GroupClientArea.h"
#include "ui/widgets/LinkLabel.h"
#include "ui/widgets/ResponseGrid.h"
#include "ui/widgets/SpectrumCheckList.h"
#include "ui/windows/About.h"
#include "ui/windows/FieldCheck.h"
#include "ui/windows/GraphPanelForm.h"
#include "ui/windows/RecordsForm.h"

namespace {
constexpr int kClientWidth = 931;
constexpr int kClientHeight = 437;
constexpr int kStatusBarHeight = 24;
const QColor kTinted(185, 209, 234);  // the system's gradient active caption colour
const QColor kBlue(0, 0, 255);

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect geometry, bool blue) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  // The Windows font's cell was 13 px; keep descenders of the Linux font inside the label.
  geometry.setHeight(std::max(geometry.height(), label->fontMetrics().height()));
  label->setGeometry(geometry);
  if (blue) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kBlue);
    label->setPalette(palette);
  }
  return label;
}

void Tint(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, kTinted);
  palette.setColor(QPalette::Button, kTinted);
  widget->setPalette(palette);
}

QComboBox* MakeList(QWidget* parent, std::span<const char* const> items, QRect geometry) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  for (const char* item : items) list->addItem(QString::fromUtf8(item));
  list->setGeometry(geometry);
  return list;
}

QLineEdit* MakeField(QWidget* parent, const QString& text, QRect geometry) {
  auto* field = new QLineEdit(text, parent);
  field->setGeometry(geometry);
  Tint(field);
  return field;
}

// The model's warnings as warning boxes of the desktop.
WarningHandler WarningBoxes(Desktop& desktop) {
  return [&desktop](const std::string& text) { desktop.Warning(QString::fromStdString(text)); };
}

// The picked position when it is a listed one; nothing otherwise, so the field keeps its value.
std::optional<std::int32_t> ListedPosition(const QComboBox& list) {
  const int index = list.currentIndex();
  if (index >= 0 && index < list.count()) return index;
  return std::nullopt;
}
}  // namespace

template <typename Sender, typename Signal, typename... Args>
void TForm1::Bind(Sender* sender, Signal signal, void (TForm1::*handler)(Args...)) {
  connect(sender, signal, this,
          [this, handler](Args... args) { RunCommand([=, this] { (this->*handler)(args...); }); });
}

TForm1::TForm1(Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), desktop_(desktop), modelWarnings_(WarningBoxes(desktop)) {
  setWindowTitle(caption::MainWindow());
  setFont(WindowFont(11));
  client = new QWidget(this);
  client->setMinimumSize(kClientWidth, kClientHeight);
  // Maximised, the status bar follows the bottom edge; the group boxes stay where they are.
  client->installEventFilter(this);
  setCentralWidget(client);
  BuildMenu();
  BuildInputPanel();
  BuildChartArea();
  BuildDataArea();
  BuildStatusBar();
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // Window managers offer no maximise button on a window of fixed size, so the form's size is
  // the smallest one instead.
  const QSize formSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  setMinimumSize(formSize);
  resize(formSize);

  setTabOrder(grp1, grp2);
  setTabOrder(grp2, grp4);

  ResponseInputs.name.clear();
  // The first time; the desktop then opens each kind of file where the user last saved one.
  const QString folder = QDir::homePath();
  dlgSave1 = {QStringLiteral("CSV(逗号分隔)(*.csv)"), QStringLiteral("csv"),
              QStringLiteral("Spectrum"), folder, true};
  dlg1 = {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("bmp"), QStringLiteral("Spectrum"),
          folder, false};

  ReadDecimalSeparator();
  FormCreate();

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    PlaceWindow(*this, screen->availableGeometry());
}

TForm1::~TForm1() {
  // The records window reads the spectrum list; it goes before the list does.
  delete RecordsForm;
  FormDestroy();
}

void TForm1::BuildMenu() {
  Edit1 = menuBar()->addMenu(QStringLiteral("Edit"));
  Create1 = Edit1->addAction(QStringLiteral("Create"));
  Delete1 = Edit1->addAction(QStringLiteral("Delete"));
  DeleteAll1 = Edit1->addAction(QStringLiteral("Delete All"));
  SaveData1 = Edit1->addAction(QStringLiteral("Save Data"));
  SavePicture1 = Edit1->addAction(QStringLiteral("Save Picture"));
  Tools1 = menuBar()->addMenu(QStringLiteral("Tools"));
  Records1 = Tools1->addAction(QStringLiteral("Ground Motion Records..."));
  Bind(Records1, &QAction::triggered, &TForm1::RecordsClick);
  About1 = menuBar()->addMenu(QStringLiteral("Help"));
  AboutItem = About1->addAction(caption::About());
  Bind(AboutItem, &QAction::triggered, &TForm1::AboutClick);
}

void TForm1::BuildInputPanel() {
  grp1 = new QGroupBox(QStringLiteral("Define Response"), client);
  grp1->setGeometry(6, 2, 275, 406);
  grp1->setFont(WindowFont(12));
  MakeLabel(grp1, QStringLiteral("Response Name"), {10, 20, 79, 13}, true);
  edt4 = MakeField(grp1, QStringLiteral("Spectrum-1"), {123, 16, 144, 21});
  MakeLabel(grp1, QStringLiteral("Design Code"), {10, 44, 61, 13}, true);
  cbb1 = MakeList(grp1, CodeEditionNames(), {123, 40, 144, 21});
  Tint(cbb1);
  MakeLabel(grp1, QStringLiteral("Seismic Intensity"), {10, 68, 78, 13}, false);
  cbb2 = MakeList(grp1, IntensityNames(), {123, 64, 144, 21});
  MakeLabel(grp1, QStringLiteral("Seismic Action"), {10, 92, 69, 13}, false);
  cbb3 = MakeList(grp1, ActionNames(), {123, 88, 144, 21});
  MakeLabel(grp1, QStringLiteral("Site-Class"), {10, 116, 46, 13}, false);
  cbb4 = MakeList(grp1, SiteClassNames(), {123, 112, 144, 21});
  MakeLabel(grp1, QStringLiteral("Earthquake Group "), {10, 140, 90, 13}, false);
  cbb5 = MakeList(grp1, GroupNames(), {123, 136, 144, 21});
  MakeLabel(grp1, QStringLiteral("Max Influence Coefficient, AlphaMax "), {10, 164, 176, 13}, true);
  edt1 = MakeField(grp1, QStringLiteral("0.04"), {190, 160, 77, 21});
  MakeLabel(grp1, QStringLiteral("Characteristic Ground Period, Tg (s)"), {10, 188, 168, 13}, true);
  edt2 = MakeField(grp1, QStringLiteral("0.20"), {190, 184, 77, 21});
  MakeLabel(grp1, QStringLiteral("Damping Ratio, ζ "), {10, 211, 83, 13}, true);
  edt5 = MakeField(grp1, QStringLiteral("0.05"), {190, 208, 77, 21});

  Bind(cbb1, &QComboBox::activated, &TForm1::cbb1Change);
  Bind(cbb2, &QComboBox::activated, &TForm1::cbb2Change);
  Bind(cbb3, &QComboBox::activated, &TForm1::cbb3Change);
  Bind(cbb4, &QComboBox::activated, &TForm1::cbb4Change);
  Bind(cbb5, &QComboBox::activated, &TForm1::cbb5Change);

  BuildCommandGroup();
  QWidget::setTabOrder(edt4, cbb1);
  QWidget::setTabOrder(cbb1, cbb2);
  QWidget::setTabOrder(cbb2, cbb3);
  QWidget::setTabOrder(cbb3, cbb4);
  QWidget::setTabOrder(cbb4, cbb5);
  QWidget::setTabOrder(cbb5, edt1);
  QWidget::setTabOrder(edt1, edt2);
  QWidget::setTabOrder(edt2, edt5);
  QWidget::setTabOrder(edt5, Button1);
}

void TForm1::BuildCommandGroup() {
  grp3 = new QGroupBox(grp1);
  grp3->setGeometry(10, 233, 257, 164);
  const auto button = [this](const QString& caption, QRect geometry) {
    auto* b = new QPushButton(caption, grp3);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
  };
  Button1 = button(QStringLiteral("Create"), {11, 11, 89, 26});
  Button4 = button(QStringLiteral("Delete"), {11, 41, 89, 24});
  Button5 = button(QStringLiteral("Delete All"), {11, 69, 89, 25});
  Button2 = button(QStringLiteral("Save Data"), {11, 98, 89, 26});
  Button3 = button(QStringLiteral("Save Picture"), {11, 128, 89, 25});
  lst1 = new SpectrumCheckList(grp3);
  lst1->setGeometry(110, 11, 137, 142);
  Bind(lst1, &SpectrumCheckList::checkStateChanged, &TForm1::lst1Change);
  BindCommands();
}

void TForm1::BindCommands() {
  struct Command {
    QAction* item;
    QPushButton* button;
    void (TForm1::*handler)();
  };
  for (const Command& command : {Command{Create1, Button1, &TForm1::Button1Click},
                                 Command{Delete1, Button4, &TForm1::Button4Click},
                                 Command{DeleteAll1, Button5, &TForm1::Button5Click},
                                 Command{SaveData1, Button2, &TForm1::Button2Click},
                                 Command{SavePicture1, Button3, &TForm1::Button3Click}}) {
    Bind(command.item, &QAction::triggered, command.handler);
    Bind(command.button, &QPushButton::clicked, command.handler);
  }
}

void TForm1::BuildChartArea() {
  grp2 = new QGroupBox(QStringLiteral("Graph Response"), client);
  grp2->setGeometry(284, 2, 643, 265);
  cht1 = new ResponseChartView(grp2);
  cht1->setGeometry(GroupClientArea(*grp2));
  Bind(cht1, &ResponseChartView::doubleClicked, &TForm1::cht1DblClick);
}

void TForm1::BuildDataArea() {
  grp4 = new QGroupBox(QStringLiteral("Response Data"), client);
  grp4->setGeometry(284, 267, 643, 141);
  strngrd1 = new ResponseGrid(grp4);
  strngrd1->setGeometry(GroupClientArea(*grp4));
}

void TForm1::BuildStatusBar() {
  rzstsbr1 = new GradientStatusBar(client);
  rzstsbr1->setGeometry(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
  rzfldsts3 = new QLabel(rzstsbr1);
  rzfldsts3->setTextFormat(Qt::PlainText);
  rzfldsts3->setText(QStringLiteral("  ") + QString::fromUtf8(author::kName) +
                     QStringLiteral("  "));
  rzfldsts3->setFont(PixelFont(QStringLiteral("Tahoma"), 11, true));
  rzfldsts3->setGeometry(0, 0, 63, 24);
  rzfldsts1 = new QLabel(rzstsbr1);
  rzfldsts1->setTextFormat(Qt::PlainText);
  rzfldsts1->setText(QStringLiteral("  Welcome to my Website :"));
  rzfldsts1->setFont(WindowFont(12, true));
  rzfldsts1->setGeometry(63, 0, 173, 24);
  rzfldsts2 = new LinkLabel(QStringLiteral(" ") + QString::fromUtf8(author::kWebsite), rzstsbr1);
  rzfldsts2->setFont(WindowFont(12, true));
  rzfldsts2->setGeometry(236, 0, 181, 24);
  rzfldsts2->setContentsMargins(3, 3, 3, 3);
  Bind(rzfldsts2, &LinkLabel::clicked, &TForm1::rzfldsts2Click);
}

void TForm1::FormCreate() {
  ResponseInputs.codeType = 0;
  ResponseInputs.intensity = 0;
  ResponseInputs.action = 0;
  ResponseInputs.group = 0;
  ResponseInputs.siteClass = 0;
  UpdateDefaults();
  ResponseInputs.damping = 0.05;
  // In the user's decimal separator, as AlphaMax and Tg: the start-up inputs must pass Create.
  edt5->setText(QString::fromStdString(FormatGeneral(ResponseInputs.damping)));
  ResponseInputs.name = "Response1";
  cht1->SetupLeftAxis();
  strngrd1->Model().RefreshTexts();
}

void TForm1::FormDestroy() { DeleteAllSpectra(); }

void TForm1::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    desktop_.Error(ErrorText(error));
  }
}

void TForm1::ReadDecimalSeparator() { SetDecimalSeparator(desktop_.DecimalSymbol().toStdString()); }

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client && event->type() == QEvent::Resize && rzstsbr1 != nullptr)
    rzstsbr1->setGeometry(0, client->height() - kStatusBarHeight, client->width(),
                          kStatusBarHeight);
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::LocaleChange) return;
  ReadDecimalSeparator();
  strngrd1->Model().RefreshTexts();
  cht1->RefreshLabels();
}

// ---- Input panel ----

void TForm1::cbb1Change() {
  ListChange(ResponseInputs.codeType, cbb1->currentIndex() == 0 ? 0 : 1);
}
void TForm1::cbb2Change() { ListChange(ResponseInputs.intensity, ListedPosition(*cbb2)); }
void TForm1::cbb3Change() { ListChange(ResponseInputs.action, ListedPosition(*cbb3)); }
void TForm1::cbb4Change() { ListChange(ResponseInputs.siteClass, ListedPosition(*cbb4)); }
void TForm1::cbb5Change() { ListChange(ResponseInputs.group, ListedPosition(*cbb5)); }

void TForm1::ListChange(std::int32_t& field, std::optional<std::int32_t> picked) {
  if (picked) field = *picked;
  UpdateDefaults();
}

void TForm1::UpdateDefaults() {
  ResponseInputs.alphaMax = DefaultAlphaMax(ResponseInputs.intensity, ResponseInputs.action);
  edt1->setText(QString::fromStdString(FormatGeneral(ResponseInputs.alphaMax)));
  if (const auto tg = DefaultTg(ResponseInputs.siteClass, ResponseInputs.group))
    ResponseInputs.tg = *tg;
  edt2->setText(QString::fromStdString(FormatGeneral(ResponseInputs.tg)));
}

void TForm1::Warn(const QString& text, QWidget* focus) { FieldCheck(desktop_).Refuse(text, focus); }

std::int32_t TForm1::ReadInputs() {
  const std::string name = edt4->text().toStdString();
  const std::string alphaMax = edt1->text().toStdString();
  const std::string tg = edt2->text().toStdString();
  const std::string damping = edt5->text().toStdString();
  if (const auto problem =
          CheckInputs({name, alphaMax, tg, damping}, {ResponseInputs.name, ResponseInputs.alphaMax,
                                                      ResponseInputs.tg, ResponseInputs.damping})) {
    QLineEdit* const fields[] = {edt4, edt1, edt2, edt5};  // in InputField order
    Warn(QString::fromStdString(problem->message), fields[static_cast<int>(problem->field)]);
    return -1;
  }
  return 0;
}

// ---- Spectrum set ----

void TForm1::Button1Click() {
  if (ReadInputs() < 0) return;
  const std::string& name = ResponseInputs.name;
  if (NameExists(name)) {
    Warn(QString::fromStdString(DuplicateNameText(name)), edt4);
    return;
  }
  auto spectrum = std::make_unique<DesignSpectrum>(name, ResponseInputs.alphaMax, ResponseInputs.tg,
                                                   ResponseInputs.damping, ResponseInputs.codeType);
  // An overflowing Sa ends Create here, before a list entry or item exists that would be left
  // without its line and row.
  CheckSaRange(*spectrum);
  const DesignSpectrum& created = *spectrum;
  const QString text = QString::fromStdString(created.name);
  const int itemsBefore = lst1->count();
  bool listed = false;
  try {
    SpectrumList.Append(std::move(spectrum));
    listed = true;
    lst1->AppendChecked(text);
  } catch (const std::bad_alloc&) {
    desktop_.Warning(QStringLiteral("Out of Memory."));
    if (lst1->count() > itemsBefore) lst1->DeleteFirst(text);
    if (listed) SpectrumList.RemoveFirst(name);
    return;
  }
  cht1->AddSpectrumSeries(created);
  const auto n = static_cast<int>(SpectrumList.Size());
  DataTableModel& table = strngrd1->Model();
  table.SetGridRowCount(n + 1);
  table.WriteDataRow(n, created);
  emit spectraChanged();
}

bool TForm1::NameExists(const std::string& name) const { return SpectrumList.NameExists(name); }

void TForm1::Button4Click() {
  if (lst1->count() == 0 || lst1->currentRow() < 0) return;
  DeleteSpectrum(lst1->currentItem()->text().toStdString());
  RefreshDataGrid();
}

void TForm1::DeleteSpectrum(const std::string& name) {
  if (!SpectrumList.RemoveFirst(name)) return;
  for (int i = 0; i < cht1->SeriesCount(); ++i) {
    if (cht1->Series(i).Title() == name) {
      cht1->RemoveSeries(i);
      break;
    }
  }
  lst1->DeleteFirst(QString::fromStdString(name));
  emit spectraChanged();
}

void TForm1::DeleteAllSpectra() {
  SpectrumList.Clear();
  cht1->RemoveAllSeries();
  lst1->DeleteAll();
  emit spectraChanged();
}

void TForm1::Button5Click() {
  DeleteAllSpectra();
  RefreshDataGrid();
}

void TForm1::lst1Change(int, bool) {
  for (int row = 0; row < lst1->count(); ++row)
    SetSeriesActive(lst1->item(row)->text().toStdString(), lst1->IsChecked(row));
}

void TForm1::SetSeriesActive(const std::string& name, bool active) {
  for (int i = 0; i < cht1->SeriesCount(); ++i)
    if (cht1->Series(i).Title() == name) cht1->SetSeriesActive(i, active);
}

void TForm1::RefreshDataGrid() { strngrd1->Model().Rebuild(SpectrumList); }

// ---- Other commands ----

void TForm1::Button2Click() {
  if (SpectrumList.Size() < 1) {
    desktop_.Information(QStringLiteral("No spectrum have been create."));
    return;
  }
  dlgSave1.proposedName = QStringLiteral("Spectrum");
  const std::optional<QString> path = desktop_.SaveFileName(dlgSave1);
  if (!path) return;
  WriteWholeFile(*path, QByteArray::fromStdString(BuildCsvText(SpectrumList)));
  desktop_.Information(QStringLiteral("Export Completed"));
}

void TForm1::Button3Click() {
  dlg1.proposedName = QStringLiteral("Spectrum");
  const std::optional<QString> path = desktop_.SaveFileName(dlg1);
  if (!path) return;
  WriteBitmapFile(*path, cht1->RenderImage());
}

void TForm1::AboutClick() { ShowAboutBox(this, desktop_); }

void TForm1::RecordsClick() {
  if (!RecordsForm) {
    RecordsForm = new TRecordsForm(SpectrumList, desktop_, this);
    TRecordsForm* form = RecordsForm;
    connect(this, &TForm1::spectraChanged, form,
            [form] { form->RunCommand([form] { form->SpectraChanged(); }); });
    PlaceWindow(*form, frameGeometry(), this);
  }
  RecordsForm->show();
  RecordsForm->raise();
  RecordsForm->activateWindow();
}

void TForm1::cht1DblClick() {
  if (cht1->Tag() == 0) {
    auto* panel = new TForm2(this);
    Form2 = panel;
    panel->Chart = cht1;
    panel->HomeBox = grp2;
    TForm2::Dock(*cht1, *panel, true);
    PlaceWindow(*panel, frameGeometry(), this);
    panel->show();
    return;
  }
  TForm2::Dock(*cht1, *grp2, false);
  if (Form2) Form2->close();
}

void TForm1::rzfldsts2Click() { desktop_.OpenAddress(QString::fromUtf8(author::kWebsite)); }
