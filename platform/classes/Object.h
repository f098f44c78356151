#pragma once
// Class identity without compiler-specific run-time type information: every
// class of the class library has one TClassInfo (name, parent, factory,
// published properties), reachable from an object through ClassType(). The
// registry maps class names to their TClassInfo so the form reader can create
// components by name.

#include <memory>
#include <string>
#include <vector>

class TObject;
class TComponent;
class TPropertyTable;

class TClassInfo {
public:
    using TFactory = TComponent* (*)(TComponent* owner);
    // Makes an object of a class whose constructor takes no argument.
    using TObjectFactory = TObject* (*)();
    using TTableBuilder = void (*)(TPropertyTable& table);

    TClassInfo(const char* name, const TClassInfo* parent, TFactory factory,
               TTableBuilder buildProperties, TObjectFactory objectFactory = nullptr);
    ~TClassInfo();
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    // True when this class is Other or derives from it.
    bool InheritsFrom(const TClassInfo& other) const;
    // Creates a component of this class; null for classes that are not
    // components or cannot be created on their own.
    TFactory Factory() const { return FFactory; }
    // Creates an object of a class that is no component and is constructed
    // without argument; null for other classes.
    TObjectFactory ObjectFactory() const { return FObjectFactory; }
    // The published properties, the parent's first; built on first use.
    const TPropertyTable& Properties() const;

private:
    std::string FName;
    const TClassInfo* FParent;
    TFactory FFactory;
    TObjectFactory FObjectFactory;
    TTableBuilder FBuildProperties;
    mutable std::unique_ptr<TPropertyTable> FProperties;
};

// Declares the class identity members; put it first in the class body.
#define TESSARO_CLASS(Self, Base)                                                                  \
public:                                                                                            \
    using inherited = Base;                                                                        \
    static const TClassInfo& StaticClassInfo();                                                    \
    const TClassInfo& ClassType() const override {                                                 \
        return StaticClassInfo();                                                                  \
    }                                                                                              \
                                                                                                   \
private:

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassType() const { return StaticClassInfo(); }
    const std::string& ClassName() const { return ClassType().Name(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
    template <class T> bool Is() const { return InheritsFrom(T::StaticClassInfo()); }

    // First step of Free, run while the whole object is alive.
    virtual void BeforeDestruction() {}
};

// The class registry used by the form reader.
void RegisterClass(const TClassInfo& cls);
void UnRegisterClass(const TClassInfo& cls);
// The registered class of that name (case-insensitive), or null.
const TClassInfo* GetClass(const std::string& name);
// Like GetClass, but raises EClassNotFound for an unknown name.
const TClassInfo& FindClass(const std::string& name);

template <class T> void RegisterClasses() {
    RegisterClass(T::StaticClassInfo());
}
template <class T, class U, class... More> void RegisterClasses() {
    RegisterClass(T::StaticClassInfo());
    RegisterClasses<U, More...>();
}

namespace detail {
template <class T> TComponent* CreateComponent(TComponent* owner) {
    return new T(owner);
}
template <class T> TObject* CreateObject() {
    return new T();
}
} // namespace detail

// Builds the class info of T. The factory exists for component classes that
// can be constructed from an owner, the object factory for other classes
// that can be constructed without argument; Build adds T's published
// properties.
template <class T>
TClassInfo MakeClassInfo(const char* name, TClassInfo::TTableBuilder build = nullptr) {
    TClassInfo::TFactory factory = nullptr;
    TClassInfo::TObjectFactory objectFactory = nullptr;
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>) {
        factory = &detail::CreateComponent<T>;
    } else if constexpr (!std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                         std::is_default_constructible_v<T>) {
        objectFactory = &detail::CreateObject<T>;
    }
    return TClassInfo(name, &T::inherited::StaticClassInfo(), factory, build, objectFactory);
}
