// The sample's help pages still show in the web view, laid out off the window first.
#include "platform/vb.h"

#include <gtest/gtest.h>

#include <QTextBrowser>

namespace {

class Pane : public vb::Form {
public:
    vb::WebView* Web = new vb::WebView(this);
    Pane()
    {
        Move(0, 0, 9090, 5880);
        Web->Move(0, 0, 9090, 5880);
        Web->setNotices(QStringLiteral("unreadable"), QStringLiteral("past the limits"));
    }
};

TEST(SampleHelpPages, EveryPageShows)
{
    auto& pane = vb::Forms::get<Pane>();
    pane.Show();
    for (int i = 0; i <= 4; ++i) {
        const QString path = QStringLiteral(TALVESK_SAMPLE_DIR "/data/l3818%1.mxy").arg(i);
        EXPECT_TRUE(pane.Web->Navigate(path)) << path.toStdString();
        const QString text = pane.Web->documentText();
        EXPECT_GT(text.size(), 20) << path.toStdString();
        EXPECT_NE(text, QStringLiteral("past the limits"));
    }
    vb::Forms::unloadAll();
}

} // namespace
