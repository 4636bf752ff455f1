#pragma once

// A handler member that costs two pointers instead of std::function's four. A notebook holds
// millions of conditions, each with its handlers, and nearly every handler is a lambda that
// captures only `this`: that lives in the slot itself, behind one table per lambda type.
// Anything bigger (a std::function, a lambda with more captures) goes to the heap.

#include <cstring>
#include <functional>
#include <new>
#include <type_traits>
#include <utility>

namespace kelvo {

template <class Signature> class TSlot;

namespace detail {
template <class T> struct TIsStdFunction : std::false_type {};
template <class S> struct TIsStdFunction<std::function<S>> : std::true_type {};
} // namespace detail

template <class R, class... A> class TSlot<R(A...)> {
public:
    TSlot() noexcept = default;
    TSlot(std::nullptr_t) noexcept {}
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TSlot> &&
             std::is_invocable_r_v<R, std::remove_cvref_t<F>&, A...>) TSlot(F&& f) {
        Set(std::forward<F>(f));
    }
    TSlot(const TSlot& other) : ops_(other.ops_) {
        if (ops_)
            ops_->Copy(other.data_, data_);
    }
    TSlot(TSlot&& other) noexcept : ops_(other.ops_) {
        std::memcpy(data_, other.data_, sizeof data_);
        other.ops_ = nullptr;
    }
    TSlot& operator=(const TSlot& other) {
        if (this != &other) {
            TSlot copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    TSlot& operator=(TSlot&& other) noexcept {
        if (this != &other) {
            Reset();
            ops_ = other.ops_;
            std::memcpy(data_, other.data_, sizeof data_);
            other.ops_ = nullptr;
        }
        return *this;
    }
    TSlot& operator=(std::nullptr_t) noexcept {
        Reset();
        return *this;
    }
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TSlot> &&
             std::is_invocable_r_v<R, std::remove_cvref_t<F>&, A...>) TSlot&
    operator=(F&& f) {
        TSlot fresh(std::forward<F>(f));
        return *this = std::move(fresh);
    }
    ~TSlot() { Reset(); }

    explicit operator bool() const noexcept { return ops_ != nullptr; }

    R operator()(A... args) const {
        if (ops_ == nullptr)
            throw std::bad_function_call();
        return ops_->Call(data_, std::forward<A>(args)...);
    }

private:
    using TData = unsigned char[sizeof(void*)];
    struct TOps {
        R (*Call)(TData& data, A&&... args);
        void (*Copy)(const TData& from, TData& to);
        void (*Destroy)(TData& data);
    };

    template <class F>
    static constexpr bool Inline = sizeof(F) <= sizeof(TData) &&
                                   alignof(F) <= alignof(void*) && std::is_trivially_copyable_v<F>;

    template <class F> static F* Inside(TData& data) {
        if constexpr (Inline<F>)
            return std::launder(reinterpret_cast<F*>(&data));
        else {
            F* p;
            std::memcpy(&p, &data, sizeof p);
            return p;
        }
    }

    template <class F> static const TOps* OpsOf() {
        static constexpr TOps ops{
            [](TData& data, A&&... args) -> R {
                return std::invoke(*Inside<F>(data), std::forward<A>(args)...);
            },
            [](const TData& from, TData& to) {
                F* source = Inside<F>(const_cast<TData&>(from));
                if constexpr (Inline<F>) {
                    ::new (static_cast<void*>(&to)) F(*source);
                } else {
                    F* p = new F(*source);
                    std::memcpy(&to, &p, sizeof p);
                }
            },
            [](TData& data) {
                if constexpr (!Inline<F>)
                    delete Inside<F>(data);
            },
        };
        return &ops;
    }

    template <class G> void Set(G&& g) {
        using F = std::remove_cvref_t<G>;
        if constexpr (detail::TIsStdFunction<F>::value || std::is_pointer_v<F> ||
                      std::is_member_pointer_v<F>) {
            if (!g)
                return;
        }
        if constexpr (Inline<F>) {
            ::new (static_cast<void*>(&data_)) F(std::forward<G>(g));
        } else {
            F* p = new F(std::forward<G>(g));
            std::memcpy(&data_, &p, sizeof p);
        }
        ops_ = OpsOf<F>();
    }

    void Reset() noexcept {
        if (ops_ != nullptr) {
            const TOps* ops = ops_;
            ops_ = nullptr;
            ops->Destroy(data_);
        }
    }

    const TOps* ops_ = nullptr;
    alignas(void*) mutable TData data_{};
};

} // namespace kelvo
