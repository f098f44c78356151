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
    // The value type a getter returns.
    template <class G> using Value = std::decay_t<std::invoke_result_t<G, T&>>;

public:
    explicit TPropertyBuilder(TPropertyTable& table) : FTable(table) {}

    // Getters and setters may be members of T or of any of its bases.
    template <class G, class S>
    TPropInfo& Integer(const char* name, G get, S set,
                       std::optional<std::int64_t> def = std::nullopt,
                       const TIdentMap* idents = nullptr) {
        using V = Value<G>;
        static_assert(std::is_integral_v<V>);
        TPropInfo p = Base(name, TPropKind::Integer);
        p.Default = def;
        p.Idents = idents;
        p.MinValue = static_cast<std::int64_t>(std::numeric_limits<V>::min());
        p.MaxValue = std::numeric_limits<V>::max() > INT64_MAX
                         ? INT64_MAX
                         : static_cast<std::int64_t>(std::numeric_limits<V>::max());
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<std::int64_t>(std::invoke(get, Self(o)));
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            std::invoke(set, Self(o), static_cast<V>(std::get<std::int64_t>(v)));
        };
        return FTable.Add(std::move(p));
    }

    template <class G, class S>
    TPropInfo& Boolean(const char* name, G get, S set, std::optional<bool> def = false) {
        TPropInfo p = Base(name, TPropKind::Boolean);
        if (def)
            p.Default = *def ? 1 : 0;
        p.Get = [get](TObject& o) -> TPropValue { return bool(std::invoke(get, Self(o))); };
        p.Set = [set](TObject& o, const TPropValue& v) {
            std::invoke(set, Self(o), std::get<bool>(v));
        };
        return FTable.Add(std::move(p));
    }

    template <class G, class S>
    TPropInfo& Enum(const char* name, const TEnumNames& names, G get, S set,
                    std::optional<Value<G>> def) {
        using E = Value<G>;
        TPropInfo p = Base(name, TPropKind::Enum);
        p.Names = &names;
        if (def)
            p.Default = static_cast<std::int64_t>(*def);
        p.MinValue = 0;
        p.MaxValue = static_cast<std::int64_t>(names.size()) - 1;
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<std::int64_t>(std::invoke(get, Self(o)));
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            std::invoke(set, Self(o), static_cast<E>(std::get<std::int64_t>(v)));
        };
        return FTable.Add(std::move(p));
    }

    template <class G, class S>
    TPropInfo& Set(const char* name, const TEnumNames& names, G get, S set,
                   std::optional<Value<G>> def) {
        using SetType = Value<G>;
        TPropInfo p = Base(name, TPropKind::Set);
        p.Names = &names;
        if (def)
            p.Default = def->Mask();
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<std::int64_t>(std::invoke(get, Self(o)).Mask());
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            std::invoke(set, Self(o),
                        SetType::FromMask(static_cast<std::uint32_t>(std::get<std::int64_t>(v))));
        };
        return FTable.Add(std::move(p));
    }

    template <class G, class S> TPropInfo& String(const char* name, G get, S set) {
        TPropInfo p = Base(name, TPropKind::String);
        p.Get = [get](TObject& o) -> TPropValue { return std::string(std::invoke(get, Self(o))); };
        p.Set = [set](TObject& o, const TPropValue& v) {
            std::invoke(set, Self(o), std::get<std::string>(v));
        };
        return FTable.Add(std::move(p));
    }

    template <class G, class S> TPropInfo& Float(const char* name, G get, S set) {
        using V = Value<G>;
        TPropInfo p = Base(name, TPropKind::Float);
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<long double>(std::invoke(get, Self(o)));
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            std::invoke(set, Self(o), static_cast<V>(std::get<long double>(v)));
        };
        return FTable.Add(std::move(p));
    }

    // A reference to a component of the getter's class (or a descendant).
    template <class G, class S> TPropInfo& Reference(const char* name, G get, S set) {
        using C = std::remove_pointer_t<Value<G>>;
        TPropInfo p = Base(name, TPropKind::Component);
        p.RefClass = &C::StaticClassInfo();
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<TComponent*>(std::invoke(get, Self(o)));
        };
        p.Set = [set](TObject& o, const TPropValue& v) {
            std::invoke(set, Self(o), dynamic_cast<C*>(std::get<TComponent*>(v)));
        };
        return FTable.Add(std::move(p));
    }

    // A nested property object owned by T; read and written in place.
    template <class G> TPropInfo& Object(const char* name, G get) {
        using C = std::remove_pointer_t<Value<G>>;
        TPropInfo p = Base(name, TPropKind::Object);
        p.RefClass = &C::StaticClassInfo();
        p.Get = [get](TObject& o) -> TPropValue {
            return static_cast<TObject*>(std::invoke(get, Self(o)));
        };
        return FTable.Add(std::move(p));
    }

    // An event held in a data member of T or of a base.
    template <class Ev, class C> TPropInfo& Event(const char* name, Ev C::*field) {
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
