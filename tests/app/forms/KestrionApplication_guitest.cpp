#include "app/forms/KestrionApplication.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <stdexcept>

namespace kestrion::app {
namespace {

class BrokenHandler : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("handler broke");
        return QObject::event(event);
    }
};

TEST(KestrionApplicationTest, AnErrorEscapingAnEventHandlerEndsTheLoopWithCodeOne) {
    auto* application = dynamic_cast<KestrionApplication*>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    BrokenHandler handler;
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    EXPECT_EQ(QCoreApplication::exec(), 1);
    EXPECT_EQ(application->failure(), "handler broke");
}

}  // namespace
}  // namespace kestrion::app
