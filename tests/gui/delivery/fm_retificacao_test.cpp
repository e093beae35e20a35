// The rectification as a user drives it: the rules screen, the choice of
// establishments and links, the write wizard over exactly the chosen links
// (file with suffix R), "< Voltar" from the write wizard bringing the choice
// back as it was, and a chosen link gone before the copy cancelling the write.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "gui/delivery/fm_gravacao.h"
#include "gui/delivery/fm_retificacao.h"
#include "gui/delivery/fm_retificacao_regras.h"
#include "gui/delivery/rectification_commands.h"
#include "support/modal_dialogs.h"
#include "write_wizard_fixture.h"

using namespace torvex;
using namespace torvex::gui::delivery;

namespace {

const std::string kPis1 = test::pis("1011234567");
const std::string kPis2 = test::pis("1200000001");
const std::string kPis3 = test::pis("1300000002");

struct Fixture : test::WriteWizardFixture {
  // The responsible row; an establishment with three links; a negative one.
  void declaration() {
    test::insertRow(db(), "BD8Resp", test::validResponsible());
    test::Values e = test::validEstablishment();
    e["CoCgcCeiEstabelecimento"] = test::cnpj("11222333");
    test::insertRow(db(), "BD8Emp", e);
    const std::pair<std::string, std::string> links[] = {
        {kPis1, "ANA SOUZA"}, {kPis2, "BRUNO LIMA"}, {kPis3, "CARLA DIAS"}};
    for (const auto& [pis, name] : links) {
      test::Values l = test::validLink(e);
      l["CoPisPasepEmpregado"] = pis;
      l["NoEmpregado"] = name;
      test::insertRow(db(), "BD8Vinc", l);
    }
    e["CoCgcCeiEstabelecimento"] = test::cnpj("99888777");
    e["InKevaNegEstabelecimento"] = "1";
    e["NuVinculosEstabelecimento"] = "000000";
    test::insertRow(db(), "BD8Emp", e);
  }
};

template <typename T>
T* child(QWidget& w, const char* name) {
  auto* c = w.findChild<T*>(name);
  if (!c) qFatal("no widget %s", name);
  return c;
}
void press(QWidget& w, const char* button) { child<QPushButton>(w, button)->click(); }
void clickLine(QAbstractItemView* list, int row) {
  const QModelIndex at = list->model()->index(row, 0);
  list->scrollTo(at);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(at).center());
}
bool ticked(QAbstractItemView* list, int row) {
  return list->model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}
int lines(QAbstractItemView* list) { return list->model()->rowCount(); }

// The PIS of the link records (type in position 23, PIS in 24-34) of a written file.
std::vector<std::string> writtenLinkPis(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> out;
  std::string line;
  while (std::getline(in, line))
    if (line.size() > 34 && line[22] == '2') out.push_back(line.substr(23, 11));
  return out;
}

}  // namespace

class RectificationTest : public QObject {
  Q_OBJECT
 private slots:
  void choiceOfEstablishmentsAndLinks() {
    Fixture f;
    core::delivery::RectificationSelection selection(f.db());
    TfmRetificacao w(*f.session, selection);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!child<QPushButton>(w, "btVoltar")->isEnabled());
    press(w, "btAvancar");  // nothing stored
    QCOMPARE(f.lastMessage(), f.messageOf("1700"));
    QCOMPARE(w.page(), TfmRetificacao::Page::Introducao);

    f.declaration();
    press(w, "btAvancar");
    QCOMPARE(w.page(), TfmRetificacao::Page::Selecao);
    auto* establishments = child<QListWidget>(w, "lbEstabelecimentos");
    auto* links = child<QListView>(w, "lbVinculos");
    auto* all = child<QCheckBox>(w, "cbTodos");
    QCOMPARE(establishments->count(), 2);
    QVERIFY(!all->isEnabled());
    press(w, "btAvancar");
    QCOMPARE(f.lastMessage(), f.messageOf("1301"));

    clickLine(establishments, 0);
    QVERIFY(ticked(establishments, 0));
    QCOMPARE(lines(links), 3);
    QCOMPARE(links->model()->index(1, 0).data().toString(), QStringLiteral("120.00000.01.2  01/03/2005  BRUNO LIMA"));
    QVERIFY(all->isEnabled());
    // Another establishment while the first has no link: "1304" and the first loses its mark.
    clickLine(establishments, 1);
    QCOMPARE(f.lastMessage(), f.messageOf("1304"));
    QVERIFY(!ticked(establishments, 0) && ticked(establishments, 1));
    QCOMPARE(lines(links), 0);
    QVERIFY(!all->isEnabled());

    establishments->setCurrentRow(0);
    QTest::keyClick(establishments, Qt::Key_Return);
    QVERIFY(ticked(establishments, 0));
    all->setChecked(true);
    QVERIFY(ticked(links, 0) && ticked(links, 1) && ticked(links, 2));
    clickLine(links, 1);
    QVERIFY(!ticked(links, 1));
    QCOMPARE(selection.entries()[0].links.size(), size_t(2));
    all->setChecked(false);
    QVERIFY(!ticked(links, 0) && !ticked(links, 2));

    // Avançar with the current establishment still without links: "1304", it is unmarked, nothing listed.
    const auto shown = f.ui.shown.size();
    press(w, "btAvancar");
    QCOMPARE(f.ui.shown.size(), shown + 1);
    QCOMPARE(f.lastMessage(), f.messageOf("1304"));
    QVERIFY(!ticked(establishments, 0));
    QCOMPARE(lines(links), 0);
    QVERIFY(w.isVisible());

    press(w, "btAvancar");  // only the negative one is marked: it goes without links
    QCOMPARE(w.result(), int(QDialog::Accepted));
  }

  void writesExactlyTheChosenLinksWithSuffixR() {
    Fixture f;
    f.declaration();
    bool rulesShown = false;
    int writeRuns = 0;
    std::filesystem::path written;

    auto choose = [&](TfmRetificacao& w) {
      press(w, "btAvancar");
      auto* links = child<QListView>(w, "lbVinculos");
      clickLine(child<QListWidget>(w, "lbEstabelecimentos"), 0);
      clickLine(links, 2);
      clickLine(links, 0);
      press(w, "btAvancar");
    };
    test::onNextModal<TfmRetificacaoRegras>([&](TfmRetificacaoRegras& rules) {
      rulesShown = rules.windowTitle() == QStringLiteral("Retificação da Declaração");
      press(rules, "btOk");
      test::onNextModal<TfmRetificacao>(choose);
    });

    runRectification(*f.session, nullptr, [&](const WriteWizardOptions& options) {
      if (++writeRuns == 1) {
        // "< Voltar" on the responsible page: the choice comes back as it was.
        test::onNextModal<TfmRetificacao>([&](TfmRetificacao& w) {
          auto* links = child<QListView>(w, "lbVinculos");
          QVERIFY(w.page() == TfmRetificacao::Page::Selecao);
          QVERIFY(ticked(links, 0) && !ticked(links, 1) && ticked(links, 2));
          press(w, "btAvancar");
        });
        return WriteWizardExit::Back;
      }
      TfmGravacao wizard(f.host, options);
      wizard.show();
      press(wizard, "btAvancar");  // the responsible row: the copy, then the check
      if (wizard.page() != TfmGravacao::Page::Gravacao) return WriteWizardExit::Closed;
      child<QLineEdit>(wizard, "edDataGeracao")->setText(QStringLiteral("15022007"));
      child<QListWidget>(wizard, "lsDrive")->setCurrentRow(0);
      press(wizard, "btAvancar");
      if (wizard.page() == TfmGravacao::Page::Fim) written = wizard.outcome().write.files.at(0).path;
      return WriteWizardExit::Closed;
    });

    QVERIFY(rulesShown);
    QCOMPARE(writeRuns, 2);
    QVERIFY2(!written.empty(), f.lastMessage().c_str());
    QVERIFY(written.stem().string().ends_with("R"));
    auto pis = writtenLinkPis(written);
    std::sort(pis.begin(), pis.end());
    QCOMPARE(pis, (std::vector<std::string>{kPis1, kPis3}));
  }

  void aLinkGoneBeforeTheCopyCancelsTheWrite() {
    Fixture f;
    f.declaration();
    test::onNextModal<TfmRetificacaoRegras>([&](TfmRetificacaoRegras& rules) {
      press(rules, "btOk");
      test::onNextModal<TfmRetificacao>([](TfmRetificacao& w) {
        press(w, "btAvancar");
        clickLine(child<QListWidget>(w, "lbEstabelecimentos"), 0);
        clickLine(child<QListView>(w, "lbVinculos"), 1);
        press(w, "btAvancar");
      });
    });
    int writeRuns = 0;
    bool closed = false;
    runRectification(*f.session, nullptr, [&](const WriteWizardOptions& options) {
      ++writeRuns;
      f.db().exec("DELETE FROM BD8Vinc");  // another program on the same folder
      TfmGravacao wizard(f.host, options);
      wizard.show();
      press(wizard, "btAvancar");
      closed = !wizard.isVisible() && !wizard.wentBack();
      return WriteWizardExit::Closed;
    });
    QCOMPARE(writeRuns, 1);
    QVERIFY(closed);
    QCOMPARE(f.lastMessage(), f.messageOf("1925"));
    QVERIFY(std::filesystem::is_empty(f.transmite));
  }
};

QTEST_MAIN(RectificationTest)
#include "fm_retificacao_test.moc"
