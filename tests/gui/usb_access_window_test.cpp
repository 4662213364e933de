// The window tells why an attached instrument cannot be opened where the
// link's state is shown, and forgets it once the instrument opens.
#include <QLabel>

#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

using UsbAccessWindowTest = WindowFixture;

TEST_F(UsbAccessWindowTest, NoConnectionPageShowsTheProblemUntilItIsGone) {
    Create();
    w->show();
    auto* problem = Find("Label_AccessProblem");
    auto* advice = Find("caption_NoCommAdvice");
    EXPECT_FALSE(problem->isVisible());
    EXPECT_TRUE(advice->isVisible());

    const QString text = "Csatlakozik egy Velmar készülék (/dev/hidraw0), de ...\nsudo udevadm trigger";
    emit hid.accessProblem(text);
    EXPECT_TRUE(problem->isVisible());
    EXPECT_EQ(problem->text(), text);
    EXPECT_FALSE(advice->isVisible()) << "power and cable are not the trouble";

    emit hid.accessProblem(QString());
    EXPECT_FALSE(problem->isVisible());
    EXPECT_TRUE(advice->isVisible());
}

}  // namespace
}  // namespace velmar
