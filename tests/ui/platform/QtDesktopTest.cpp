#include "ui/platform/QtDesktop.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "tests/support/QtPrinters.h"
#include "tests/support/WhenModal.h"

namespace {

struct BoxCase {
  const char* name;
  void (QtDesktop::*show)(const QString&);
  QMessageBox::Icon icon;
  const char* caption;
};

void PrintTo(const BoxCase& c, std::ostream* out) { *out << c.name; }

class QtDesktopBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtDesktopBox, ShowsPlainTextWithOneOkButton) {
  const BoxCase& c = GetParam();
  QWidget owner;
  QtDesktop desktop(&owner);
  bool seen = false;
  WhenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_EQ(box->parentWidget(), &owner);
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(box->text(), QStringLiteral("<b>Spectrum-1</b> exists"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
    box->buttons().front()->click();
  });
  (desktop.*c.show)(QStringLiteral("<b>Spectrum-1</b> exists"));
  EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, QtDesktopBox,
    ::testing::Values(BoxCase{"Warning", &QtDesktop::Warning, QMessageBox::Warning, "Warning"},
                      BoxCase{"Information", &QtDesktop::Information, QMessageBox::NoIcon,
                              "Tremvale"},
                      BoxCase{"Error", &QtDesktop::Error, QMessageBox::Critical, "Tremvale"}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

TEST(QtDesktopSave, AppliesSettingsAndAddsDefaultSuffix) {
  QTemporaryDir folder;
  QtDesktop desktop(nullptr, DialogFolders(folder.filePath("settings.ini")));
  const SaveDialogSettings settings{QStringLiteral("CSV(逗号分隔)(*.csv)"), QStringLiteral("csv"),
                                    QStringLiteral("Spectrum"), folder.path(), false};
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(), QStringList{settings.filter});
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(desktop.SaveFileName(settings), QDir(folder.path()).filePath("Spectrum.csv"));

  bool confirms = false;
  WhenModal([&](QWidget* modal) {  // closed unanswered: a cancel
    confirms = !static_cast<QFileDialog*>(modal)->testOption(QFileDialog::DontConfirmOverwrite);
  });
  SaveDialogSettings asking = settings;
  asking.confirmOverwrite = true;
  EXPECT_EQ(desktop.SaveFileName(asking), std::nullopt);
  EXPECT_TRUE(confirms);
}

TEST(QtDesktopOpen, PicksExistingFilesAndGivesNoneOnCancel) {
  QTemporaryDir folder;
  for (const char* name : {"a.AT2", "b.txt"}) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QtDesktop desktop(nullptr, DialogFolders(folder.filePath("settings.ini")));
  const OpenDialogSettings settings{QStringLiteral("Records (*.AT2 *.txt)"), folder.path()};
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    dialog->selectFile(QStringLiteral("\"a.AT2\" \"b.txt\""));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(desktop.OpenFileNames(settings),
            (QStringList{folder.filePath("a.AT2"), folder.filePath("b.txt")}));

  WhenModal([](QWidget*) {});  // closed unanswered: a cancel
  EXPECT_TRUE(desktop.OpenFileNames(settings).isEmpty());
}

// Each kind of file opens where the user last picked one, also in a later run; the given start
// folder serves the first time and once the remembered folder is gone.
TEST(QtDesktopFolders, DialogsOpenWhereTheUserLastPickedThatKindOfFile) {
  QTemporaryDir root;
  const QString settingsFile = root.filePath("settings.ini");
  for (const char* name : {"home", "data", "pictures", "records"}) QDir(root.path()).mkdir(name);
  const QString home = root.filePath("home");
  const auto save = [&](QtDesktop& desktop, const QString& suffix, const QString& pickIn) {
    QString opened;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      opened = dialog->directory().path();
      if (!pickIn.isEmpty()) {
        dialog->setDirectory(pickIn);
        dialog->selectFile(QStringLiteral("x.") + suffix);
        static_cast<QDialog*>(dialog)->accept();
      }
    });
    desktop.SaveFileName({QStringLiteral("*.") + suffix, suffix, QStringLiteral("x"), home, false});
    return opened;
  };
  const auto open = [&](QtDesktop& desktop, const QString& pickIn) {
    QString opened;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      opened = dialog->directory().path();
      if (!pickIn.isEmpty()) {
        QFile(QDir(pickIn).filePath("r.txt")).open(QIODevice::WriteOnly);
        dialog->setDirectory(pickIn);
        dialog->selectFile(QStringLiteral("r.txt"));
        static_cast<QDialog*>(dialog)->accept();
      }
    });
    desktop.OpenFileNames({QStringLiteral("Records (*.txt)"), home});
    return opened;
  };
  {
    QtDesktop desktop(nullptr, DialogFolders(settingsFile));
    EXPECT_EQ(save(desktop, "csv", root.filePath("data")), home);
    EXPECT_EQ(save(desktop, "bmp", root.filePath("pictures")), home);
    EXPECT_EQ(open(desktop, root.filePath("records")), home);
    EXPECT_EQ(save(desktop, "csv", {}), root.filePath("data"));
  }
  QtDesktop nextRun(nullptr, DialogFolders(settingsFile));
  EXPECT_EQ(save(nextRun, "csv", {}), root.filePath("data"));
  EXPECT_EQ(save(nextRun, "bmp", {}), root.filePath("pictures"));
  EXPECT_EQ(open(nextRun, {}), root.filePath("records"));
  QDir(root.filePath("pictures")).removeRecursively();
  EXPECT_EQ(save(nextRun, "bmp", {}), home);
}

TEST(QtDesktopOwner, BoxesBelongToTheActiveWindow) {
  QWidget main;
  QWidget tool(&main, Qt::Window);
  QtDesktop desktop(&main);
  tool.show();
  QApplication::setActiveWindow(&tool);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));
  QWidget* owner = nullptr;
  WhenModal([&](QWidget* modal) { owner = modal != nullptr ? modal->parentWidget() : nullptr; });
  desktop.Warning(QStringLiteral("x"));
  EXPECT_EQ(owner, &tool);
}

// Receives what QDesktopServices would hand to the browser.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls.append(url); }
};

TEST(QtDesktopAddress, OpensAddressAsWebAddress) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
  QtDesktop(nullptr).OpenAddress(QStringLiteral("www.kestrin.cn"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl(QStringLiteral("http://www.kestrin.cn"))});
}

}  // namespace

#include "QtDesktopTest.moc"
