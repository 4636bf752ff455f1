#pragma once

// Property tables: how a persisted class tells the object stream what it stores.
//
// The class puts KELVO_PERSISTENT(TName) at the top of its body (its base must be a persisted
// class: TPersistent, TComponent, or TAdvComponent for classes with an "Items" block) and
// defines StaticClass() in its .cpp: one line per property with the stream name, a getter and
// a setter (member functions, or lambdas taking the object), then modifiers of the property
// just declared. Inherited properties come first by themselves.
//
//   const TClassInfo& TDailyDateCondition::StaticClass() {
//       using C = TDailyDateCondition;
//       static const TClassInfo info =
//           TClassBuilder<C, TPeriodicDateCondition>("TDailyDateCondition")
//               .DateTime("FromDate", &C::FromDate, &C::SetFromDate)
//               .Enum("UntilType", EnumNames<TUntilType>(), &C::UntilType, &C::SetUntilType)
//               .Default(utForever)
//               .Integer("Times", &C::Times, &C::SetTimes)
//               .Default(1).AtLeast(1).StoredIf([](const C& c) { return c.UntilType() == utTimes;
//               }) .Build();
//       return info;
//   }
//
// Kinds: Integer, Color, Boolean, Enum, Set (a TEnumSet, std::bitset or integral mask),
// String, Float, DateTime, Object<T> (only a T is accepted), Items<T>(count, at, add) with
// ClearFirst(clear), and Custom blocks. Integers, enumerations, booleans and sets are written
// unless equal to Default(); without Default() always. Floats and date-times are left out at
// 0.0 (and read as 0.0 when absent), strings when empty, objects when the getter gives none.
// Stored(false) never writes. A class created from streams is registered once at start:
// RegisterClasses<TDailyDateCondition, ...>().

#include "core/stream/paClasses.h"
#include "core/util/paDateUtils.h"

#include <bitset>
#include <concepts>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace kelvo {

// How a set type maps to the 32-bit member mask of the stream. Integral masks and
// std::bitset work as they are; another set class brings a TSetTraits of its own.
template <class T> struct TSetTraits;
template <std::integral T> struct TSetTraits<T> {
    static std::uint32_t ToMask(T value) { return static_cast<std::uint32_t>(value); }
    static T FromMask(std::uint32_t mask) { return static_cast<T>(mask); }
};
template <class E, class Bits> struct TSetTraits<TEnumSet<E, Bits>> {
    static std::uint32_t ToMask(TEnumSet<E, Bits> value) {
        return static_cast<std::uint32_t>(value.ToBits());
    }
    static TEnumSet<E, Bits> FromMask(std::uint32_t mask) {
        return TEnumSet<E, Bits>::FromBits(static_cast<Bits>(mask));
    }
};
template <std::size_t N> struct TSetTraits<std::bitset<N>> {
    static std::uint32_t ToMask(const std::bitset<N>& value) {
        return static_cast<std::uint32_t>(value.to_ulong() & 0xFFFFFFFFu);
    }
    static std::bitset<N> FromMask(std::uint32_t mask) { return std::bitset<N>(mask); }
};

namespace detail {

template <class C, class G> decltype(auto) Get(const G& get, const TPersistent& obj) {
    return std::invoke(get, static_cast<const C&>(obj));
}
template <class C, class G> using TGetResult = std::invoke_result_t<const G&, const C&>;

template <class T> const TPersistent* ObjectPointer(const T* p) {
    return p;
}
template <class T> const TPersistent* ObjectPointer(T* p) {
    return p;
}
template <class T> const TPersistent* ObjectPointer(const std::unique_ptr<T>& p) {
    return p.get();
}
template <class T>
requires std::is_base_of_v<TPersistent, T>
const TPersistent* ObjectPointer(const T& r) {
    return &r;
}

} // namespace detail

template <class C, class Base> class TClassBuilder {
    static_assert(std::is_base_of_v<TPersistent, Base> && std::is_base_of_v<Base, C>,
                  "a persisted class derives from the base it names");

public:
    explicit TClassBuilder(std::string name) : name_(std::move(name)) {}

    // Integers; Color() is an integer written by colour name where it has one.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Integer(std::string name, G get, S set = nullptr) {
        using R = std::remove_cvref_t<detail::TGetResult<C, G>>;
        static_assert(std::is_integral_v<R>, "Integer needs a getter giving an integer");
        auto& p = Add(std::move(name), TPropKind::Integer);
        p.GetInt = [get](const TPersistent& o) {
            return static_cast<std::int64_t>(detail::Get<C>(get, o));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetInt = [set](TPersistent& o, std::int64_t v) {
                std::invoke(set, static_cast<C&>(o), static_cast<R>(v));
            };
        return *this;
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Color(std::string name, G get, S set = nullptr) {
        Integer(std::move(name), get, set);
        props_.back().Idents = ColorIdents();
        return *this;
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Boolean(std::string name, G get, S set = nullptr) {
        static_assert(std::is_same_v<std::remove_cvref_t<detail::TGetResult<C, G>>, bool>,
                      "Boolean needs a getter giving bool");
        auto& p = Add(std::move(name), TPropKind::Enum);
        p.Names = BooleanNames;
        p.GetInt = [get](const TPersistent& o) { return detail::Get<C>(get, o) ? 1 : 0; };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetInt = [set](TPersistent& o, std::int64_t v) {
                std::invoke(set, static_cast<C&>(o), v != 0);
            };
        return *this;
    }
    // An enumeration written by element name; names[i] is the name of ordinal i.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Enum(std::string name, TEnumNameList names, G get, S set = nullptr) {
        using E = std::remove_cvref_t<detail::TGetResult<C, G>>;
        static_assert(std::is_enum_v<E>, "Enum needs a getter giving an enumeration");
        auto& p = Add(std::move(name), TPropKind::Enum);
        p.Names = names;
        p.GetInt = [get](const TPersistent& o) {
            return static_cast<std::int64_t>(detail::Get<C>(get, o));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetInt = [set](TPersistent& o, std::int64_t v) {
                std::invoke(set, static_cast<C&>(o), static_cast<E>(v));
            };
        return *this;
    }
    // A set of up to 32 enumeration elements (see TSetTraits).
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Set(std::string name, TEnumNameList names, G get, S set = nullptr) {
        using T = std::remove_cvref_t<detail::TGetResult<C, G>>;
        auto& p = Add(std::move(name), TPropKind::Set);
        p.Names = names;
        p.GetInt = [get](const TPersistent& o) {
            return static_cast<std::int64_t>(TSetTraits<T>::ToMask(detail::Get<C>(get, o)));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetInt = [set](TPersistent& o, std::int64_t v) {
                std::invoke(set, static_cast<C&>(o),
                            TSetTraits<T>::FromMask(static_cast<std::uint32_t>(v)));
            };
        return *this;
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& String(std::string name, G get, S set = nullptr) {
        auto& p = Add(std::move(name), TPropKind::String);
        p.GetString = [get](const TPersistent& o, std::string& scratch) -> std::string_view {
            if constexpr (std::is_lvalue_reference_v<detail::TGetResult<C, G>>) {
                return detail::Get<C>(get, o);
            } else {
                scratch = detail::Get<C>(get, o);
                return scratch;
            }
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetString = [set](TPersistent& o, std::string&& v) {
                std::invoke(set, static_cast<C&>(o), std::move(v));
            };
        return *this;
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Float(std::string name, G get, S set = nullptr) {
        return FloatLike(std::move(name), TPropKind::Float, get, set);
    }
    // A date-time: one outside the years 1 to 9999 (or not finite) fails its record.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& DateTime(std::string name, G get, S set = nullptr) {
        return FloatLike(std::move(name), TPropKind::DateTime, get, set);
    }
    // A nested object where only a T belongs. The getter gives a pointer, a reference or a
    // unique_ptr (none: not written); the setter takes std::unique_ptr<T> or const T&.
    template <class T, class G, class S = std::nullptr_t>
    TClassBuilder& Object(std::string name, G get, S set = nullptr) {
        static_assert(std::is_base_of_v<TPersistent, T>, "Object needs a persisted class");
        auto& p = Add(std::move(name), TPropKind::Object);
        p.GetObject = [get](const TPersistent& o) {
            return detail::ObjectPointer(detail::Get<C>(get, o));
        };
        p.Accepts = &TClassReader::IsA<T>;
        p.ExpectedClass = &T::StaticClass;
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetObject = [set](TPersistent& o, std::unique_ptr<TPersistent> v) {
                std::unique_ptr<T> typed(static_cast<T*>(v.release()));
                if constexpr (std::is_invocable_v<const S&, C&, std::unique_ptr<T>>)
                    std::invoke(set, static_cast<C&>(o), std::move(typed));
                else
                    std::invoke(set, static_cast<C&>(o), static_cast<const T&>(*typed));
            };
        return *this;
    }
    // The list block "Items": count(obj), at(obj, i) giving the i-th item (reference, pointer
    // or unique_ptr), add(obj, std::unique_ptr<T>). Written after the ordinary properties,
    // left out when the list is empty.
    template <class T, class N, class A, class P> TClassBuilder& Items(N count, A at, P add) {
        static_assert(std::is_base_of_v<TAdvComponent, C>, "custom blocks need TAdvComponent");
        auto& p = Add("Items", TPropKind::Custom);
        p.HasData = [count](const TPersistent& o) {
            return std::invoke(count, static_cast<const C&>(o)) > 0;
        };
        p.WriteBlock = [count, at](const TPersistent& o, TClassWriter& w) {
            const C& c = static_cast<const C&>(o);
            const auto n = std::invoke(count, c);
            w.WriteInteger(static_cast<std::int32_t>(n));
            for (std::remove_cv_t<decltype(n)> i = 0; i < n; ++i)
                w.WriteObject(*detail::ObjectPointer(std::invoke(at, c, i)));
        };
        p.ReadBlock = [add](TPersistent& o, TClassReader& r) {
            std::int32_t n = 0;
            if (!r.ReadInteger(n, false))
                throw EClassReadingError("Expected prefix itInt32 but " +
                                         std::string(IdentTypeName(r.PeekTag())) + " found");
            // No reservation: the count comes from the stream.
            for (std::int32_t i = 0; i < n; ++i) {
                std::unique_ptr<T> item;
                if (!r.ReadObjectAs(item, false))
                    throw EClassReadingError(r.LastError());
                std::invoke(add, static_cast<C&>(o), std::move(item));
            }
        };
        return *this;
    }
    // A custom block of the class's own: read(obj, reader) and write(obj, writer) handle
    // what lies between itUserBegin and itUserEnd; hasData(obj) decides whether it is written.
    template <class H, class R, class W>
    TClassBuilder& Custom(std::string name, H hasData, R read, W write, bool after = true) {
        static_assert(std::is_base_of_v<TAdvComponent, C>, "custom blocks need TAdvComponent");
        auto& p = Add(std::move(name), TPropKind::Custom);
        p.CustomAfter = after;
        p.HasData = [hasData](const TPersistent& o) {
            return std::invoke(hasData, static_cast<const C&>(o));
        };
        p.ReadBlock = [read](TPersistent& o, TClassReader& r) {
            std::invoke(read, static_cast<C&>(o), r);
        };
        p.WriteBlock = [write](const TPersistent& o, TClassWriter& w) {
            std::invoke(write, static_cast<const C&>(o), w);
        };
        return *this;
    }

    // Modifiers of the property declared last.
    template <class V> TClassBuilder& Default(V value) {
        auto& p = props_.back();
        p.HasDefault = true;
        if constexpr (std::is_enum_v<V>)
            p.Default = static_cast<std::int64_t>(value);
        else if constexpr (std::is_same_v<V, bool>)
            p.Default = value ? 1 : 0;
        else if constexpr (std::is_integral_v<V>)
            p.Default = static_cast<std::int64_t>(value);
        else
            p.Default = static_cast<std::int64_t>(TSetTraits<V>::ToMask(value));
        return *this;
    }
    TClassBuilder& NoDefault() {
        props_.back().HasDefault = false;
        return *this;
    }
    // A smaller integer read from a stream becomes minimum.
    TClassBuilder& AtLeast(std::int32_t minimum) {
        props_.back().HasMinimum = true;
        props_.back().Minimum = minimum;
        return *this;
    }
    // Objects: when the stream names the very class of the object the getter gives, the value
    // is read into that object and the setter is not called, which saves a new object and a
    // copy of it. Only for an object that a newly made owner holds in the state a new object
    // of its class has, where the setter would copy the value or take it over.
    TClassBuilder& ReadInPlace() {
        props_.back().InPlace = true;
        return *this;
    }
    TClassBuilder& Stored(bool stored) {
        props_.back().StoredNever = !stored;
        return *this;
    }
    template <class F> TClassBuilder& StoredIf(F rule) {
        props_.back().StoredIf = [rule](const TPersistent& o) {
            return static_cast<bool>(std::invoke(rule, static_cast<const C&>(o)));
        };
        return *this;
    }
    // Items: called on the object before its block is read (to empty the list).
    template <class F> TClassBuilder& ClearFirst(F clear) {
        props_.back().BeforeRead = [clear](TPersistent& o) {
            std::invoke(clear, static_cast<C&>(o));
        };
        return *this;
    }

    TClassInfo Build() {
        TClassInfo::TFactory factory = nullptr;
        if constexpr (!std::is_abstract_v<C> && std::is_default_constructible_v<C>)
            factory = []() -> std::unique_ptr<TPersistent> { return std::make_unique<C>(); };
        return TClassInfo(std::move(name_), &Base::StaticClass(), factory, std::move(props_));
    }

private:
    TPropertyInfo& Add(std::string name, TPropKind kind) {
        auto& p = props_.emplace_back();
        p.Name = std::move(name);
        p.Kind = kind;
        return p;
    }
    template <class G, class S>
    TClassBuilder& FloatLike(std::string name, TPropKind kind, G get, S set) {
        static_assert(std::is_floating_point_v<std::remove_cvref_t<detail::TGetResult<C, G>>>,
                      "Float and DateTime need a getter giving a double");
        auto& p = Add(std::move(name), kind);
        p.GetFloat = [get](const TPersistent& o) {
            return static_cast<double>(detail::Get<C>(get, o));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetFloat = [set](TPersistent& o, double v) {
                std::invoke(set, static_cast<C&>(o), v);
            };
        return *this;
    }

    std::string name_;
    std::vector<TPropertyInfo> props_;
};

} // namespace kelvo
