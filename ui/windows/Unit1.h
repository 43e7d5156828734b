#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/SpectrumList.h"
#include "model/Warning.h"
#include "ui/platform/Desktop.h"
#include "ui/windows/ResponseInputs.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class GradientStatusBar;
class LinkLabel;
class ResponseChartView;
class ResponseGrid;
class SpectrumCheckList;
class TRecordsForm;

// The main window: input panel, spectrum set with its commands, chart and data table.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(Desktop& desktop, QWidget* parent = nullptr);
  ~TForm1() override;

  // Command handlers; buttons and menu items run them through RunCommand.
  void Button1Click();  // Create
  void Button4Click();  // Delete
  void Button5Click();  // Delete All
  void Button2Click();  // Save Data
  void Button3Click();  // Save Picture
  void AboutClick();
  void RecordsClick();  // Ground Motion Records
  void cbb1Change();
  void cbb2Change();
  void cbb3Change();
  void cbb4Change();
  void cbb5Change();
  void lst1Change(int index, bool newState);
  void cht1DblClick();
  void rzfldsts2Click();

  void UpdateDefaults();
  std::int32_t ReadInputs();
  bool NameExists(const std::string& name) const;
  void DeleteSpectrum(const std::string& name);
  void DeleteAllSpectra();
  void SetSeriesActive(const std::string& name, bool active);
  void RefreshDataGrid();

  // Runs a command; an error it throws ends it and goes to the error display.
  void RunCommand(const std::function<void()>& command);

  // The spectrum set and the inputs, to read; only the window's commands change them, so the
  // list, the chart, the check list and the table stay in step.
  const ::SpectrumList& Spectra() const { return SpectrumList; }
  const ::ResponseInputs& Inputs() const { return ResponseInputs; }

  QWidget* client = nullptr;
  QGroupBox* grp1 = nullptr;
  QGroupBox* grp2 = nullptr;
  QGroupBox* grp3 = nullptr;
  QGroupBox* grp4 = nullptr;
  QLineEdit* edt4 = nullptr;
  QLineEdit* edt1 = nullptr;
  QLineEdit* edt2 = nullptr;
  QLineEdit* edt5 = nullptr;
  QComboBox* cbb1 = nullptr;
  QComboBox* cbb2 = nullptr;
  QComboBox* cbb3 = nullptr;
  QComboBox* cbb4 = nullptr;
  QComboBox* cbb5 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  SpectrumCheckList* lst1 = nullptr;
  ResponseChartView* cht1 = nullptr;
  ResponseGrid* strngrd1 = nullptr;
  GradientStatusBar* rzstsbr1 = nullptr;
  QLabel* rzfldsts3 = nullptr;
  QLabel* rzfldsts1 = nullptr;
  LinkLabel* rzfldsts2 = nullptr;
  QMenu* Edit1 = nullptr;
  QMenu* Tools1 = nullptr;
  QMenu* About1 = nullptr;
  QAction* Create1 = nullptr;
  QAction* Delete1 = nullptr;
  QAction* DeleteAll1 = nullptr;
  QAction* SaveData1 = nullptr;
  QAction* SavePicture1 = nullptr;
  QAction* AboutItem = nullptr;
  QAction* Records1 = nullptr;
  // The records window, made on first use; it lives until the main window goes.
  QPointer<TRecordsForm> RecordsForm;
  SaveDialogSettings dlgSave1;
  SaveDialogSettings dlg1;

 signals:
  // Spectra were created or deleted.
  void spectraChanged();

 protected:
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildInputPanel();
  void BuildCommandGroup();
  void BuildChartArea();
  void BuildDataArea();
  void BuildStatusBar();
  void BuildMenu();
  // A menu item and the button with the same caption run the same handler.
  void BindCommands();
  void FormCreate();
  void FormDestroy();
  void ReadDecimalSeparator();
  void Warn(const QString& text, QWidget* focus);
  // The one body of the five list handlers: stores the picked value, then the code's defaults.
  void ListChange(std::int32_t& field, std::optional<std::int32_t> picked);
  // Runs `handler` through RunCommand whenever `sender` emits `signal`.
  template <typename Sender, typename Signal, typename... Args>
  void Bind(Sender* sender, Signal signal, void (TForm1::*handler)(Args...));

  ::ResponseInputs ResponseInputs;
  ::SpectrumList SpectrumList;
  Desktop& desktop_;
  // The model's warnings go to this window's warning box while it exists.
  ScopedWarningHandler modelWarnings_;
};
