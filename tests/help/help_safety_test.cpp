// Help files made to be hostile: pages that would take the page view down are shown as a notice.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <filesystem>

#include "qt/help/help_window.h"
#include "qt/help/qt_help_viewer.h"

namespace vantro::qt {
namespace {

const std::string kHostilePage = "/html Docs/hostile.htm";
const std::string kOrdinaryPage = "/html Docs/ordinary.htm";

// The page view shows a notice, not the page: no table, no list, a line or two.
void expectNotice(const QTextBrowser& view) {
  const QTextDocument& document = *view.document();
  EXPECT_TRUE(document.rootFrame()->childFrames().isEmpty());
  int listItems = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    if (block.textList()) ++listItems;
  EXPECT_EQ(listItems, 0);
  EXPECT_LE(document.blockCount(), 3);
  EXPECT_FALSE(document.toPlainText().trimmed().isEmpty());
}

TEST(HostilePagesTest, PagesThatAskTooMuchOfTheLayoutShowANoticeHoweverTheyAreReached) {
  for (const char* file : {VANTRO_HOSTILE_TABLES, VANTRO_HOSTILE_LISTS}) {
    SCOPED_TRACE(file);
    QtHelpViewer viewer;
    viewer.showContents(file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.window() != nullptr; }, 10000));
    HelpWindow& window = *viewer.window();
    auto& view = *window.findChild<QTextBrowser*>("helpPage");
    EXPECT_EQ(window.currentPage(), kHostilePage);
    expectNotice(view);

    ASSERT_TRUE(window.showPage(kOrdinaryPage));
    EXPECT_NE(view.document()->toPlainText().indexOf("ordinary"), -1);
    emit view.anchorClicked(view.source().resolved(QUrl("hostile.htm")));
    EXPECT_EQ(window.currentPage(), kHostilePage);
    expectNotice(view);
    view.backward();
    EXPECT_EQ(window.currentPage(), kOrdinaryPage);
    view.forward();
    EXPECT_EQ(window.currentPage(), kHostilePage);
    expectNotice(view);
  }
}

}  // namespace
}  // namespace vantro::qt
