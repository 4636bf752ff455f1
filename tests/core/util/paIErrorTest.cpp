#include "core/util/paIError.h"

#include "core/util/paError.h"

#include <gtest/gtest.h>
#include <typeinfo>

namespace kelvo {
namespace {

class TCollectingHandler : public IpaErrorHandler {
public:
    void HandleError(const void*, const std::exception* exception) override {
        ++calls;
        message = exception ? exception->what() : "(none)";
        isWarning = dynamic_cast<const EpaWarning*>(exception) != nullptr;
    }
    int calls = 0;
    std::string message;
    bool isWarning = false;
};

class Raisers : public ::testing::Test {
protected:
    void SetUp() override {
        auto handler = std::make_unique<TCollectingHandler>();
        handler_ = handler.get();
        previous_ = SetErrorHandler(std::move(handler));
    }
    void TearDown() override {
        SetErrorHandler(std::move(previous_));
        SetWarningRaiser(nullptr);
        SetHintRaiser(nullptr);
    }
    TCollectingHandler* handler_ = nullptr;
    std::unique_ptr<IpaErrorHandler> previous_;
};

TEST_F(Raisers, EmptySlotsFallBackSoEverySeverityPropagates) {
    EXPECT_THROW(RaiseCritical("reason", "text"), EpaCritical);
    EXPECT_THROW(RaiseWarning(), EpaWarning);
    EXPECT_THROW(RaiseHint(), EpaHint);
    EXPECT_EQ(handler_->calls, 0);
}

TEST_F(Raisers, AWarningIsHandledAndExecutionGoesOnAfterTheCall) {
    SetWarningRaiser(std::make_unique<TpaRaiserAndHandler>());
    SetHintRaiser(std::make_unique<TpaRaiserAndSilent>());
    bool continued = false;
    CheckWarning(true);
    EXPECT_EQ(handler_->calls, 0);
    CheckWarning(false);
    continued = true;
    EXPECT_TRUE(continued);
    EXPECT_EQ(handler_->calls, 1);
    EXPECT_TRUE(handler_->isWarning);
    EXPECT_EQ(handler_->message, "");

    RaiseWarning("the reason", "the text");
    EXPECT_EQ(handler_->message, "the text\r\nthe reason");

    CheckHint(false, "dropped");
    RaiseHint("dropped too");
    EXPECT_EQ(handler_->calls, 2);
    EXPECT_THROW(RaiseCritical("still propagates"), EpaCritical);
}

TEST_F(Raisers, AnEmptyHintSlotUsesTheWarningRaiser) {
    SetWarningRaiser(std::make_unique<TpaRaiserAndHandler>());
    CheckHint(false, "shown as the warning raiser does");
    EXPECT_EQ(handler_->calls, 1);
    EXPECT_EQ(handler_->message, "shown as the warning raiser does");
}

class ECustom : public EpaCritical {
public:
    using EpaCritical::EpaCritical;
};

TEST_F(Raisers, TheClassOfTheErrorCanBeChosen) {
    EXPECT_THROW(RaiseCritical<ECustom>("why"), ECustom);
}

TEST_F(Raisers, DispatchErrorTakesTheExceptionBeingHandled) {
    try {
        throw EpaCritical("in flight");
    } catch (...) {
        DispatchError(nullptr);
    }
    EXPECT_EQ(handler_->message, "in flight");
    try {
        throw 42;
    } catch (...) {
        DispatchError(nullptr);
    }
    EXPECT_EQ(handler_->message, "(none)");
}

TEST(DispatchError, WithoutAHandlerGoesToTheMessageBox) {
    std::string shown;
    SetErrorMessageBox([&](const std::string& m) { shown = m; });
    auto previous = SetErrorHandler(nullptr);
    EpaCritical e("boxed");
    DispatchError(nullptr, &e);
    EXPECT_EQ(shown, "boxed");
    SetErrorHandler(std::move(previous));
    SetErrorMessageBox({});
}

} // namespace
} // namespace kelvo
