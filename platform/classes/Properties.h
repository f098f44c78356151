#pragma once
// Published properties without compiler type information. Each class lists
// its published properties in a table (name, kind, accessors, default, stored
// test); a table starts with its parent's entries and a class may redeclare
// an inherited name with another type. The form reader and writer work only
// through these tables.

#include "platform/classes/Event.h"
#include "platform/classes/Object.h"
#include "platform/classes/Set.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

class TPersistent;

enum class TPropKind {
    Integer, // whole numbers; may accept identifiers through an ident map
    Boolean,
    Enum, // stored as an identifier of the enumeration
    Set,  // stored as a set of identifiers
    String,
    Float,
    Component, // a reference to another component, stored by name
    Object,    // a nested property object, stored through its own properties
    Event,     // a method of the root, stored by the method's name
};

// The identifiers of an enumeration's members, by ordinal value.
using TEnumNames = std::vector<std::string>;

// Named integer values (colour and cursor constants).
struct TIdentMapEntry {
    std::int64_t Value;
    const char* Name;
};
using TIdentMap = std::vector<TIdentMapEntry>;
bool IdentToInt(const TIdentMap& map, const std::string& ident, std::int64_t& value);
bool IntToIdent(const TIdentMap& map, std::int64_t value, std::string& ident);

// A property value in transit between a stream and an object.
using TPropValue = std::variant<std::int64_t, bool, long double, std::string, TComponent*, TObject*,
                                TErasedMethod>;

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumNames* Names = nullptr;    // Enum and Set
    const TIdentMap* Idents = nullptr;    // Integer
    const TClassInfo* RefClass = nullptr; // Component: the class a reference must have
    std::int64_t MinValue = INT32_MIN;    // Integer range the setter accepts
    std::int64_t MaxValue = INT32_MAX;
    std::optional<std::int64_t> Default; // ordinal kinds: not written when equal
    std::function<TPropValue(TObject&)> Get;
    std::function<void(TObject&, const TPropValue&)> Set; // empty: read-only (objects)
    std::function<bool(TObject&)> Stored; // empty: always stored (subject to Default)

    // Whether a writer stores the current value of Instance.
    bool IsStored(TObject& instance) const;
};

class TPropertyTable {
public:
    explicit TPropertyTable(const TPropertyTable* parent);
    // Adds Info, or replaces an inherited entry of the same name in place.
    TPropInfo& Add(TPropInfo info);
    // Case-insensitive lookup; null when there is none.
    const TPropInfo* Find(const std::string& name) const;
    const std::vector<TPropInfo>& Items() const { return FItems; }

private:
    std::vector<TPropInfo> FItems;
};

// Type-safe construction of a class's table from member functions:
//   TPropertyBuilder<TButton> p(table);
//   p.Integer("Left", &TButton::GetLeft, &TButton::SetLeft);
template <class T> class TPropertyBuilder {
public:
    explicit TPropertyBuilder(TPropertyTable& table) : FTable(table) {}

    template <class V>
    TPropInfo& Integer(const char* name, V (T::*get)() const, void (T::*set)(V),
                       std::optional<std::int64_t> def = std::nullopt,
                       const TIdentMap* idents = nullptr) {
        static_assert(std::is_integral_v<V>);
        TPropInfo p = Base(name, TPropKind::Integer);
        p.Default = def;
        p.Idents = idents;
        p.MinValue = static_cast<std::int64_t>(std::numeric_limits<V>::min());
        p.MaxValue = std::numeric_limits<V>::max() > INT64_MAX
                         ? INT64_MAX
                         : static_cast<std::int64_t>(std::numeric_limits<V>::max());
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<std::int64_t>((Self(o).*get)());
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            (Self(o).*set)(static_cast<V>(std::get<std::int64_t>(v)));
        };
        return FTable.Add(std::move(p));
    }

    TPropInfo& Boolean(const char* name, bool (T::*get)() const, void (T::*set)(bool),
                       std::optional<bool> def = false) {
        TPropInfo p = Base(name, TPropKind::Boolean);
        if (def)
            p.Default = *def ? 1 : 0;
        p.Get = [get](TObject& o) -> TPropValue { return (Self(o).*get)(); };
        p.Set = [set](TObject& o, const TPropValue& v) { (Self(o).*set)(std::get<bool>(v)); };
        return FTable.Add(std::move(p));
    }

    template <class E>
    TPropInfo& Enum(const char* name, const TEnumNames& names, E (T::*get)() const,
                    void (T::*set)(E), std::optional<E> def) {
        TPropInfo p = Base(name, TPropKind::Enum);
        p.Names = &names;
        if (def)
            p.Default = static_cast<std::int64_t>(*def);
        p.MinValue = 0;
        p.MaxValue = static_cast<std::int64_t>(names.size()) - 1;
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<std::int64_t>((Self(o).*get)());
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            (Self(o).*set)(static_cast<E>(std::get<std::int64_t>(v)));
        };
        return FTable.Add(std::move(p));
    }

    template <class E>
    TPropInfo& Set(const char* name, const TEnumNames& names, TSet<E> (T::*get)() const,
                   void (T::*set)(TSet<E>), std::optional<TSet<E>> def) {
        TPropInfo p = Base(name, TPropKind::Set);
        p.Names = &names;
        if (def)
            p.Default = def->Mask();
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<std::int64_t>((Self(o).*get)().Mask());
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            (Self(o).*
             set)(TSet<E>::FromMask(static_cast<std::uint32_t>(std::get<std::int64_t>(v))));
        };
        return FTable.Add(std::move(p));
    }

    template <class G, class S> TPropInfo& String(const char* name, G get, S set) {
        TPropInfo p = Base(name, TPropKind::String);
        p.Get = [get](TObject& o) -> TPropValue { return std::string((Self(o).*get)()); };
        p.Set = [set](TObject& o, const TPropValue& v) {
            (Self(o).*set)(std::get<std::string>(v));
        };
        return FTable.Add(std::move(p));
    }

    template <class V> TPropInfo& Float(const char* name, V (T::*get)() const, void (T::*set)(V)) {
        TPropInfo p = Base(name, TPropKind::Float);
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<long double>((Self(o).*get)());
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            (Self(o).*set)(static_cast<V>(std::get<long double>(v)));
        };
        return FTable.Add(std::move(p));
    }

    // A reference to a component of class C (or a descendant).
    template <class C>
    TPropInfo& Reference(const char* name, C* (T::*get)() const, void (T::*set)(C*)) {
        TPropInfo p = Base(name, TPropKind::Component);
        p.RefClass = &C::StaticClassInfo();
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<TComponent*>((Self(o).*get)());
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            (Self(o).*set)(dynamic_cast<C*>(std::get<TComponent*>(v)));
        };
        return FTable.Add(std::move(p));
    }

    // A nested property object owned by T; read and written in place.
    template <class C> TPropInfo& Object(const char* name, C* (T::*get)() const) {
        TPropInfo p = Base(name, TPropKind::Object);
        p.RefClass = &C::StaticClassInfo();
        p.Get = [get](TObject& o) -> TPropValue { return static_cast<TObject*>((Self(o).*get)()); };
        return FTable.Add(std::move(p));
    }

    // An event held in a member of T.
    template <class Ev> TPropInfo& Event(const char* name, Ev T::*field) {
        TPropInfo p = Base(name, TPropKind::Event);
        p.Get = [field](TObject& o) -> TPropValue { return (Self(o).*field).Erase(); };
        p.Set = [field](TObject& o, const TPropValue& v) {
            if (!(Self(o).*field).Assign(std::get<TErasedMethod>(v)))
                ThrowEventMismatch();
        };
        return FTable.Add(std::move(p));
    }

private:
    static T& Self(TObject& o) { return static_cast<T&>(o); }
    static TPropInfo Base(const char* name, TPropKind kind) {
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        return p;
    }
    [[noreturn]] static void ThrowEventMismatch();
    TPropertyTable& FTable;
};

[[noreturn]] void ThrowPropertyEventMismatch();
template <class T> void TPropertyBuilder<T>::ThrowEventMismatch() {
    ThrowPropertyEventMismatch();
}

// Builds the class info of T with a table filled by Build(TPropertyBuilder<T>&):
//   const TClassInfo& TButton::StaticClassInfo() {
//       static const TClassInfo info = MakeClassInfo<TButton>("TButton", [](TPropertyTable& t) {
//           TPropertyBuilder<TButton> p(t); ... });
//       return info;
//   }
