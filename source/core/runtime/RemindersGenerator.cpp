#include "core/runtime/RemindersGenerator.h"

#include "core/scheduling/InitializeCondition.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <exception>
#include <string>

namespace kelvo {

namespace {

// The end of x's minute: seconds 59, milliseconds 0.
TDateTime EndOfMinute(TDateTime x) {
    const std::int64_t ms = DateTimeToMs(x);
    std::int64_t minute = ms / MSecsPerMinute;
    if (ms % MSecsPerMinute < 0)
        --minute;
    return MsToDateTime(minute * MSecsPerMinute + 59 * MSecsPerSec);
}

} // namespace

TRemindersGenerator::TRemindersGenerator(ITimerFactory& timers)
    : timer_(timers.CreateTimer()), lastTime_(Now()) {
    timer_->OnTimeout = [this] { Tick(); };
}

TRemindersGenerator::~TRemindersGenerator() {
    if (timer_) {
        timer_->Stop();
        timer_->OnTimeout = nullptr;
    }
}

void TRemindersGenerator::AddCondition(TInitializeCondition& c) {
    const TDateTime now = Now();
    if (IsNullDate(c.DateOfCreate()) || now < c.DateOfCreate())
        c.SetDateOfCreate(now);
    conditions_.push_back(&c);
    ++registered_[&c];
}

void TRemindersGenerator::RemoveCondition(TInitializeCondition& c) {
    // A rebuild asks this for every condition of every event right after clearing: the map
    // answers those without walking the list, which made a rebuild quadratic.
    if (!registered_.contains(&c))
        return;
    const auto it = std::find(conditions_.begin(), conditions_.end(), &c);
    if (it == conditions_.end())
        return;
    conditions_.erase(it);
    const auto reg = registered_.find(&c);
    if (reg != registered_.end() && --reg->second <= 0)
        registered_.erase(reg);
}

void TRemindersGenerator::ClearConditions() {
    conditions_.clear();
    registered_.clear();
}

bool TRemindersGenerator::HasCondition(const TInitializeCondition& c) const {
    return registered_.find(&c) != registered_.end();
}

void TRemindersGenerator::Start() {
    tickCount_ = 0;
    horizon_ = NextRebuildTime();
    timer_->Start(TimerPeriod);
}

void TRemindersGenerator::Resume() {
    if (!timer_->IsActive())
        timer_->Start(TimerPeriod);
}

void TRemindersGenerator::Stop() {
    timer_->Stop();
}

bool TRemindersGenerator::Running() const {
    return timer_->IsActive();
}

void TRemindersGenerator::SetLastTime(TDateTime t) {
    if (Running()) {
        Stop();
        lastTime_ = t;
        Start();
    } else {
        lastTime_ = t;
    }
}

void TRemindersGenerator::SetMaxTimerCount(std::int32_t n) {
    // 0 (never) cannot be overshot, so it is taken at any time.
    if (n < 0 || (n != 0 && Running() && tickCount_ > n))
        throw EReminderError("Illegal MaxTimerCount");
    maxTimerCount_ = n;
}

TDateTime TRemindersGenerator::NextRebuildTime() const {
    return IncMilliSecond(static_cast<std::int64_t>(TimerPeriod) *
                              (static_cast<std::int64_t>(maxTimerCount_) - tickCount_),
                          IsNullDate(jumpEnd_) ? lastTime_ : jumpEnd_);
}

// The wall clock went past what the registrations cover without a notice: summer time
// began, the machine woke up, or the clock was set. The conditions due in the window about
// to be checked are registered first, so that they arise now, on time or as missed, rather
// than at the next rebuild up to two minutes later.
void TRemindersGenerator::RegisterForJump(TDateTime cur, std::vector<std::exception_ptr>& errors) {
    tickCount_ = 0;
    jumpEnd_ = cur;
    try {
        OnMaxTimerCount(*this, maxTimerCount_);
    } catch (...) {
        errors.push_back(std::current_exception());
    }
    jumpEnd_ = NullDate;
    horizon_ = IncMilliSecond(static_cast<std::int64_t>(TimerPeriod) * maxTimerCount_, cur);
}

void TRemindersGenerator::Tick() {
    const TDateTime cur = EndOfMinute(Now());
    std::vector<std::exception_ptr> errors;
    if (lastTime_ >= cur) {
        // Within a minute already checked, or the clock went back.
        lastTime_ = cur;
    } else {
        // More than the next minute, and beyond the registrations: the clock jumped.
        if (maxTimerCount_ != 0 && OnMaxTimerCount && !IsNullDate(horizon_) && cur > horizon_ &&
            cur > IncMilliSecond(MSecsPerMinute, lastTime_))
            RegisterForJump(cur, errors);
        const std::vector<TInitializeCondition*> snapshot = conditions_;
        const TDateTime from = IncMilliSecond(1, lastTime_);
        lastTime_ = cur;
        for (std::size_t i = snapshot.size(); i-- > 0;) {
            // A callback may have removed it meanwhile.
            if (!HasCondition(*snapshot[i]))
                continue;
            try {
                snapshot[i]->Check(from, lastTime_);
            } catch (...) {
                errors.push_back(std::current_exception());
            }
        }
    }

    ++tickCount_;
    if (maxTimerCount_ != 0 && tickCount_ >= maxTimerCount_) {
        tickCount_ = 0;
        horizon_ = NextRebuildTime();
        if (OnMaxTimerCount)
            OnMaxTimerCount(*this, maxTimerCount_);
    }

    if (errors.size() == 1)
        std::rethrow_exception(errors.front());
    if (!errors.empty()) {
        std::string text;
        for (const auto& e : errors) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& ex) {
                if (!text.empty())
                    text += "\n";
                text += ex.what();
            } catch (...) {
                if (!text.empty())
                    text += "\n";
                text += KELVO_TR("RemindersGenerator", "Unknown error");
            }
        }
        throw EReminderError(text);
    }
}

} // namespace kelvo
