// The main window's help: the manual (in the language of the menus) and the
// version information.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/shell.h"
#include "numplace/version.h"

namespace numplace::app {
namespace {

QString manualText() {
  const bool japanese = QLocale().language() == QLocale::Japanese;
  QFile file(japanese ? QStringLiteral(":/manual/manual_ja.html") : QStringLiteral(":/manual/manual_en.html"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace

void ShellWindow::showManual() {
  auto *dialog = new QDialog(this);
  dialog->setObjectName(QStringLiteral("manual"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(tr("使い方"));
  auto *text = new QTextBrowser(dialog);
  text->setObjectName(QStringLiteral("manualText"));
  text->setHtml(manualText());
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
  auto *layout = new QVBoxLayout(dialog);
  layout->addWidget(text);
  layout->addWidget(buttons);
  dialog->resize(640, 600);
  dialog->show();
}

void ShellWindow::showAbout() {
  auto *box = new QMessageBox(
      QMessageBox::Information, tr("バージョン情報"),
      tr("numplace %1\n\n数独（ナンバープレース）を解き、解き方を見せるプログラム。\n\n"
         "Qt %2（実行時 %3）\nライセンス：リポジトリの README を参照してください。")
          .arg(QString::fromLatin1(kNumplaceVersion), QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion())),
      QMessageBox::Close, this);
  box->setObjectName(QStringLiteral("about"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace numplace::app
