#pragma once
// Events: a closure of an object and one of its methods, as the class
// library's event properties hold them. An event can be empty, assigned,
// called and compared; it allocates nothing.
//
//   btn->OnClick = TNotifyEvent::Of<&TfrmMain::btnCloseClick>(this);
//
// Forms publish their handlers by name (TPublishedMethod) so the form reader
// can connect the event names stored in a form resource.

#include <string>
#include <typeinfo>
#include <utility>

class TObject;
class TComponent;

// A method of some object with its signature erased; what the form reader
// hands to an event property's setter.
struct TErasedMethod {
    void* Data = nullptr;
    void (*Code)() = nullptr;
    const std::type_info* Signature = nullptr;
    bool Assigned() const { return Code != nullptr; }
};

template <class... A> class TEvent {
public:
    using TThunk = void (*)(void*, A...);

    TEvent() = default;
    TEvent(std::nullptr_t) {}

    template <auto Method, class C> static TEvent Of(C* object) {
        TEvent e;
        e.FData = object;
        e.FCode = &Thunk<Method, C>;
        return e;
    }

    explicit operator bool() const { return FCode != nullptr; }
    bool Assigned() const { return FCode != nullptr; }
    void Clear() { *this = TEvent(); }
    void operator()(A... args) const {
        if (FCode)
            FCode(FData, std::forward<A>(args)...);
    }
    bool operator==(const TEvent& o) const { return FData == o.FData && FCode == o.FCode; }

    void* Data() const { return FData; }

    TErasedMethod Erase() const {
        return {FData, reinterpret_cast<void (*)()>(FCode), &typeid(TEvent)};
    }
    // Accepts an erased method of the same signature; anything else leaves
    // the event empty and returns false.
    bool Assign(const TErasedMethod& m) {
        if (!m.Assigned()) {
            Clear();
            return true;
        }
        if (!m.Signature || *m.Signature != typeid(TEvent))
            return false;
        FData = m.Data;
        FCode = reinterpret_cast<TThunk>(m.Code);
        return true;
    }

private:
    template <auto Method, class C> static void Thunk(void* data, A... args) {
        (static_cast<C*>(data)->*Method)(std::forward<A>(args)...);
    }
    void* FData = nullptr;
    TThunk FCode = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;

namespace detail {
template <class M> struct MethodTraits;
template <class C, class... A> struct MethodTraits<void (C::*)(A...)> {
    using Class = C;
    using Event = TEvent<A...>;
};
} // namespace detail

// One published handler of a root component: its name and how to bind it to
// an instance of the root's class.
struct TPublishedMethod {
    const char* Name;
    TErasedMethod (*Bind)(TComponent* root);

    template <auto Method> static TPublishedMethod Of(const char* name) {
        return {name, [](TComponent* root) -> TErasedMethod {
                    using Traits = detail::MethodTraits<decltype(Method)>;
                    auto* self = dynamic_cast<typename Traits::Class*>(root);
                    if (!self)
                        return {};
                    return Traits::Event::template Of<Method>(self).Erase();
                }};
    }
};
