#pragma once
// "Retificação da Declaração": what a rectification re-sends and how, shown
// before its wizard opens; closed with "&Ok".
#include <QDialog>
#include <memory>

namespace Ui {
class TfmRetificacaoRegras;
}

namespace torvex::gui::delivery {

class TfmRetificacaoRegras : public QDialog {
  Q_OBJECT
 public:
  explicit TfmRetificacaoRegras(QWidget* parent = nullptr);
  ~TfmRetificacaoRegras() override;

 private:
  std::unique_ptr<Ui::TfmRetificacaoRegras> ui_;
};

}  // namespace torvex::gui::delivery
