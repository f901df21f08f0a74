// The menus of the main window and its confirmed close.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "app/form1.h"
#include "app/info_texts.h"
#include "app/message_boxes.h"
#include "app/picture_box.h"
#include "window_test_support.h"

class Form1MenusTest : public QObject {
    Q_OBJECT

private:
    QAction* command(const char* name)
    {
        auto* action = form->findChild<QAction*>(QString::fromLatin1(name));
        if (action == nullptr)
            qFatal("no menu item %s", name);
        return action;
    }

    // Chooses a menu item and answers a message box, if one comes, with OK.
    SeenMessageBox choose(const char* name)
    {
        return AnswerMessageBox(QMessageBox::Ok, [this, name] { command(name)->trigger(); });
    }

    // Asks the window to close and answers the question.
    SeenMessageBox closeAnswering(QMessageBox::StandardButton answer, const std::function<void()>& request)
    {
        return AnswerMessageBox(answer, request);
    }

    const QImage& drawing() { return form->findChild<PictureBox*>(QStringLiteral("Picture1"))->image(); }

    DesktopDouble desktop;
    std::unique_ptr<Form1> form;

private slots:
    void initTestCase() { InstallQtWarningTrap(); }

    void init()
    {
        desktop = DesktopDouble();
        form = std::make_unique<Form1>(desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        form->hide();
        form.reset();
        QCOMPARE(TakeQtWarnings(), QStringList());
    }

    void menuTreeHasTheItemsInOrder()
    {
        const QList<QAction*> menus = form->menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Файл"));
        QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("mnuFile"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Помощь"));
        QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("mnuHelp"));

        const auto itemsOf = [](QMenu* menu) {
            QStringList items;
            for (QAction* a : menu->actions()) {
                items << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
                if (!a->shortcut().isEmpty() || a->isCheckable() || !a->isEnabled() || !a->isVisible())
                    items << QStringLiteral("unexpected state of ") + a->objectName();
            }
            return items;
        };
        QCOMPARE(itemsOf(menus[0]->menu()), (QStringList{"mnuFileSprav=&Справка", "mnuFileSep=-", "mnuFileExit=&Выход"}));
        QCOMPARE(itemsOf(menus[1]->menu()),
                 (QStringList{"mnuHelpUprav=&Управление", "mnuHelpInstruction=&Инструкция", "mnuHelpSep1=-",
                              "mnuHelpAvtors=&Автор", "mnuHelpAbout=&О программе"}));
    }

    void helpDocumentsOpenByTheirNames()
    {
        QVERIFY(!choose("mnuFileSprav").shown);
        QVERIFY(!choose("mnuHelpUprav").shown);
        QCOMPARE(desktop.openedDocuments, (QStringList{"spravka.pdf", "uprav.pdf"}));
        QVERIFY(desktop.editedFiles.isEmpty());
    }

    void instructionStartsAnEditorEachTime()
    {
        QVERIFY(!choose("mnuHelpInstruction").shown);
        QVERIFY(!choose("mnuHelpInstruction").shown);
        QCOMPARE(desktop.editedFiles, (QStringList{"instruction.txt", "instruction.txt"}));
        QVERIFY(desktop.openedDocuments.isEmpty());
    }

    void anEditorThatCannotStartIsReported()
    {
        desktop.editorStarts = false;
        const SeenMessageBox box = choose("mnuHelpInstruction");
        QVERIFY(box.shown);
        QCOMPARE(box.title, QStringLiteral("Зорекс"));
        QVERIFY(box.text.contains(QStringLiteral("instruction.txt")));
        QVERIFY(form->isVisible());
    }

    void aboutAndAuthorsBoxesShowTheirLines()
    {
        SeenMessageBox box = choose("mnuHelpAbout");
        QVERIFY(box.shown);
        QCOMPARE(box.title, QStringLiteral("О ПРОГРАММЕ"));
        QCOMPARE(box.text, WithLineFeeds(QString::fromStdString(AboutText())));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        box = choose("mnuHelpAvtors");
        QVERIFY(box.shown);
        QCOMPARE(box.title, QStringLiteral("ОБ АВТОРАХ"));
        QCOMPARE(box.text.split(QLatin1Char('\n')).size(), 5);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(form->windowTitle(), QStringLiteral("Зорекс"));
    }

    void closingAsksFirstAndNoKeepsEverything()
    {
        AnswerMessageBox(QMessageBox::Ok, [this] {
            QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("CmdOK")), Qt::LeftButton);
        });
        const QImage drawn = drawing();
        const QString caption = form->windowTitle();
        QVERIFY(!drawn.isNull());

        const SeenMessageBox question = closeAnswering(QMessageBox::No, [this] { form->close(); });
        QVERIFY(question.shown);
        QCOMPARE(question.title, QStringLiteral("На Выход"));
        QCOMPARE(question.text, QStringLiteral("Вы абсолютно уверены?"));
        QCOMPARE(question.icon, QMessageBox::NoIcon);
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.defaultButton, QMessageBox::Yes);
        QVERIFY(form->isVisible());
        QCOMPARE(drawing(), drawn);
        QCOMPARE(form->windowTitle(), caption);

        // The menu's exit asks the same question.
        const SeenMessageBox fromMenu = closeAnswering(QMessageBox::No, [this] { command("mnuFileExit")->trigger(); });
        QVERIFY(fromMenu.shown);
        QCOMPARE(fromMenu.text, question.text);
        QVERIFY(form->isVisible());
        QCOMPARE(form->params().radius, 0.2);
    }

    void yesCloses()
    {
        const SeenMessageBox question = closeAnswering(QMessageBox::Yes, [this] { command("mnuFileExit")->trigger(); });
        QVERIFY(question.shown);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(Form1MenusTest)
#include "form1_menus_test.moc"
