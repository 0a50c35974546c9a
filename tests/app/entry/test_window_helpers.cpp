// The window helpers every dialog uses: tab order by position, combo texts, the wait cursor.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"

using namespace terminor;

TEST(WindowHelpers, TabOrderByPositionCombosAndWaitCursor) {
    QWidget form;
    form.resize(400, 300);
    // Created in an order unrelated to their places: below, right, left (same row), top.
    auto* below = new QLineEdit(&form);
    below->setGeometry(10, 100, 100, 20);
    auto* right = new QLineEdit(&form);
    right->setGeometry(200, 52, 100, 20);
    auto* left = new QLineEdit(&form);
    left->setGeometry(10, 50, 100, 20);
    auto* top = new QLineEdit(&form);
    top->setGeometry(10, 10, 100, 20);
    ArrangeTabOrder(&form);
    // The focus chain is a ring through the form, which takes no focus itself.
    const auto next = [&form](QWidget* w) {
        QWidget* n = w->nextInFocusChain();
        return n == &form ? n->nextInFocusChain() : n;
    };
    EXPECT_EQ(next(top), left);
    EXPECT_EQ(next(left), right) << "overlapping rows go left to right";
    EXPECT_EQ(next(right), below);
    EXPECT_EQ(next(below), top);

    QComboBox combo;
    combo.addItems({"", "1", "2"});
    SelectComboText(&combo, "2");
    EXPECT_EQ(GetComboText(&combo).toStdString(), "2");
    SelectComboText(&combo, "7");
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(GetComboText(&combo).toStdString(), "");

    {
        const auto wait = CreateWaitCursor();
        const auto copy = wait;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the last reference restores the cursor";
}
