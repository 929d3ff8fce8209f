#include <gtest/gtest.h>

#include <QDialog>
#include <QWidget>

#include "link/MessageEvent.h"
#include "protocol/Messages.h"
#include "ui/ProgressWindow.h"

namespace {

MessageEvent OpenMessage() {
    return MessageEvent(UM_PROGRESS_OPEN, 2, 10,
                        std::make_unique<BoxedPayload<std::string>>(std::make_unique<std::string>("Title")));
}

// The progress window must stay usable (Cancel clickable) while a modal window
// such as an editor or the upload window is in front: it joins that window.
TEST(ProgressWindowTest, JoinsTheModalWindowInFront) {
    QWidget owner;
    owner.show();
    ProgressDesk desk(&owner);

    MessageEvent open = OpenMessage();
    ASSERT_TRUE(desk.Handle(open));
    ASSERT_NE(desk.Window(), nullptr);
    EXPECT_EQ(desk.Window()->parentWidget(), &owner);
    desk.End();

    auto* modal = new QDialog(&owner);
    modal->setWindowModality(Qt::ApplicationModal);
    modal->show();
    MessageEvent again = OpenMessage();
    ASSERT_TRUE(desk.Handle(again));
    ASSERT_NE(desk.Window(), nullptr);
    EXPECT_EQ(desk.Window()->parentWidget(), modal);

    // Closing the modal window takes the progress window with it; the desk
    // must notice rather than keep a dangling window.
    delete modal;
    EXPECT_EQ(desk.Window(), nullptr);
    desk.End();
}

}  // namespace
