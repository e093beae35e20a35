// The windows' drives: the hard-disk destination is always offered, last, and
// stands for the Transmite folder; removable letters appear only with a volume.
#include <QTest>

#include "gui/platform/qt_media.h"
#include "support/temp_data_folder.h"

using namespace torvex;
using torvex::gui::platform::QtMedia;

class QtMediaTest : public QObject {
  Q_OBJECT
 private slots:
  void hardDiskIsTheTransmitFolderAndAlwaysOffered() {
    const auto dir = test::makeTempDirectory("torvex-media");
    QtMedia media(dir);
    const auto drives = media.drives();
    QVERIFY(!drives.empty());
    QCOMPARE(drives.back(), 'C');
    const auto removable = std::min<qsizetype>(2, QtMedia::removableVolumes().size());
    QCOMPARE(static_cast<qsizetype>(drives.size()), 1 + removable);
    QCOMPARE(media.folder('C'), dir);
    QVERIFY(media.capacity('C').value_or(0) > 0);
    QVERIFY(media.freeSpace('C').value_or(-1) >= 0);
    if (QtMedia::removableVolumes().isEmpty()) {
      QVERIFY(media.folder('A').empty());
      QVERIFY(!media.capacity('A').has_value());
    }
    std::filesystem::remove_all(dir);
  }

  void nonDeviceSourcesAreNotRemovable() {
    QVERIFY(!gui::platform::isRemovableDevice("tmpfs"));
    QVERIFY(!gui::platform::isRemovableDevice("/dev/nao-existe"));
  }
};

QTEST_MAIN(QtMediaTest)
#include "qt_media_test.moc"
