// The close confirmation with its third button, answered the ways a user can answer it.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "env/platform.h"
#include "qtui/qt_platform.h"

class QtPlatformTest : public QObject {
  Q_OBJECT

 private:
  // Runs the confirmation and acts on the box once it is up.
  static env::ConfirmChoice Answer(const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(0, [act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      act(*box);
    });
    qtui::QtPlatform platform;
    return platform.ConfirmOrDiscard("Confirm", "Terminate Zephlane?", "Quit Without Saving");
  }

  static QAbstractButton* ButtonWithText(QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
      if (b->text().remove('&') == text) return b;
    return nullptr;
  }

 private Q_SLOTS:
  void offersThreeButtonsWithTheQuestion() {
    const auto choice = Answer([](QMessageBox& box) {
      QCOMPARE(box.text(), QStringLiteral("Terminate Zephlane?"));
      QCOMPARE(box.windowTitle(), QStringLiteral("Confirm"));
      QCOMPARE(box.buttons().size(), 3);
      QVERIFY(box.button(QMessageBox::Yes) != nullptr);
      QVERIFY(box.button(QMessageBox::No) != nullptr);
      QAbstractButton* discard = ButtonWithText(box, QStringLiteral("Quit Without Saving"));
      QVERIFY(discard != nullptr);
      discard->click();
    });
    QCOMPARE(choice, env::ConfirmChoice::Discard);
  }

  void yesAndNoKeepTheirMeaning() {
    QCOMPARE(Answer([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }),
             env::ConfirmChoice::Yes);
    QCOMPARE(Answer([](QMessageBox& box) { box.button(QMessageBox::No)->click(); }),
             env::ConfirmChoice::No);
  }

  // Enter takes the default button, Yes; Escape answers No, never the third button.
  void enterIsYesEscapeIsNo() {
    QCOMPARE(Answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }),
             env::ConfirmChoice::Yes);
    QCOMPARE(Answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
             env::ConfirmChoice::No);
  }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
