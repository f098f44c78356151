// Class identity, the registry and published property tables.

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

enum class TShade { shLight, shDark };
const TEnumNames ShadeNames = {"shLight", "shDark"};

class TBase : public TComponent {
    TESSARO_CLASS(TBase, TComponent)
public:
    using TComponent::TComponent;
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { FCaption = v; }

private:
    int FWidth = 10;
    std::string FCaption;
};

// Redeclares Caption as an enumeration and adds a property of its own.
class TDerived : public TBase {
    TESSARO_CLASS(TDerived, TBase)
public:
    using TBase::TBase;
    TShade Shade() const { return FShade; }
    void SetShade(TShade v) { FShade = v; }
    bool Flag() const { return FFlag; }
    void SetFlag(bool v) { FFlag = v; }

private:
    TShade FShade = TShade::shDark;
    bool FFlag = true;
};

class TAbstractish : public TComponent {
    TESSARO_CLASS(TAbstractish, TComponent)
public:
    using TComponent::TComponent;
    virtual void Must() = 0;
};

} // namespace

const TClassInfo& TBase::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBase>("TBase", [](TPropertyTable& t) {
        TPropertyBuilder<TBase> p(t);
        p.Integer("Width", &TBase::Width, &TBase::SetWidth, 10);
        p.String("Caption", &TBase::Caption, &TBase::SetCaption);
    });
    return info;
}

const TClassInfo& TDerived::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TDerived>("TDerived", [](TPropertyTable& t) {
        TPropertyBuilder<TDerived> p(t);
        p.Enum("Caption", ShadeNames, &TDerived::Shade, &TDerived::SetShade,
               std::optional<TShade>(TShade::shDark));
        p.Boolean("Flag", &TDerived::Flag, &TDerived::SetFlag, true);
    });
    return info;
}

const TClassInfo& TAbstractish::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TAbstractish>("TAbstractish");
    return info;
}

TEST(ClassInfo, IdentityAndInheritance) {
    TDerived d(nullptr);
    EXPECT_EQ(d.ClassName(), "TDerived");
    EXPECT_TRUE(d.Is<TBase>());
    EXPECT_TRUE(d.Is<TComponent>());
    EXPECT_TRUE(d.Is<TPersistent>());
    EXPECT_TRUE(d.Is<TObject>());
    TBase b(nullptr);
    EXPECT_FALSE(b.Is<TDerived>());
    EXPECT_EQ(TDerived::StaticClassInfo().Parent(), &TBase::StaticClassInfo());
}

TEST(ClassInfo, FactoriesOnlyForCreatableComponents) {
    EXPECT_NE(TBase::StaticClassInfo().Factory(), nullptr);
    EXPECT_EQ(TAbstractish::StaticClassInfo().Factory(), nullptr);
    EXPECT_EQ(TPersistent::StaticClassInfo().Factory(), nullptr);
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    TComponent* made = TDerived::StaticClassInfo().Factory()(owner.get());
    EXPECT_EQ(made->ClassName(), "TDerived");
    EXPECT_EQ(made->Owner(), owner.get());
}

TEST(ClassInfo, RegistryFindsByNameAndRejectsAnotherClassOfTheSameName) {
    RegisterClasses<TBase, TDerived>();
    EXPECT_EQ(GetClass("tderived"), &TDerived::StaticClassInfo());
    EXPECT_EQ(&FindClass("TBase"), &TBase::StaticClassInfo());
    EXPECT_EQ(GetClass("TNothing"), nullptr);
    EXPECT_THROW(FindClass("TNothing"), EClassNotFound);
    RegisterClass(TBase::StaticClassInfo()); // again: harmless
    static const TClassInfo impostor("TBase", &TComponent::StaticClassInfo(), nullptr, nullptr);
    EXPECT_THROW(RegisterClass(impostor), EInvalidOperation);
    UnRegisterClass(TBase::StaticClassInfo());
    EXPECT_EQ(GetClass("TBase"), nullptr);
}

TEST(PropertyTable, ParentFirstAndRedeclarationReplacesInPlace) {
    const auto& items = TDerived::StaticClassInfo().Properties().Items();
    std::vector<std::string> names;
    for (const auto& p : items)
        names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Width", "Caption", "Flag"}));
    const TPropInfo* caption = TDerived::StaticClassInfo().Properties().Find("caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Kind, TPropKind::Enum);
    // The base class keeps its own view.
    EXPECT_EQ(TBase::StaticClassInfo().Properties().Find("Caption")->Kind, TPropKind::String);
}

TEST(PropertyTable, StoredOnlyWhenDifferentFromDefault) {
    TDerived d(nullptr);
    const auto& t = TDerived::StaticClassInfo().Properties();
    EXPECT_FALSE(t.Find("Width")->IsStored(d));
    EXPECT_FALSE(t.Find("Flag")->IsStored(d));
    EXPECT_FALSE(t.Find("Caption")->IsStored(d));
    EXPECT_FALSE(t.Find("Name")->IsStored(d)) << "the name lives in the component header";
    d.SetWidth(11);
    d.SetFlag(false);
    d.SetShade(TShade::shLight);
    EXPECT_TRUE(t.Find("Width")->IsStored(d));
    EXPECT_TRUE(t.Find("Flag")->IsStored(d));
    EXPECT_TRUE(t.Find("Caption")->IsStored(d));
}

TEST(PropertyTable, AccessorsGoThroughTheSetters) {
    TDerived d(nullptr);
    const auto& t = TDerived::StaticClassInfo().Properties();
    t.Find("Width")->Set(d, std::int64_t{42});
    EXPECT_EQ(d.Width(), 42);
    t.Find("Caption")->Set(d, std::int64_t{0});
    EXPECT_EQ(d.Shade(), TShade::shLight);
    EXPECT_EQ(std::get<std::int64_t>(t.Find("Width")->Get(d)), 42);
    const TPropInfo* width = t.Find("Width");
    EXPECT_EQ(width->MinValue, INT32_MIN);
    EXPECT_EQ(width->MaxValue, INT32_MAX);
}

TEST(Persistent, AssignWithoutSupportRaisesConvertError) {
    TBase a(nullptr);
    TDerived b(nullptr);
    try {
        a.Assign(&b);
        FAIL() << "no conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "TDerived kann nicht zu TBase zugewiesen werden");
    }
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

TEST(IdentMap, BothDirections) {
    const TIdentMap map = {{1, "one"}, {2, "two"}};
    std::int64_t v = 0;
    EXPECT_TRUE(IdentToInt(map, "TWO", v));
    EXPECT_EQ(v, 2);
    EXPECT_FALSE(IdentToInt(map, "three", v));
    std::string s;
    EXPECT_TRUE(IntToIdent(map, 1, s));
    EXPECT_EQ(s, "one");
    EXPECT_FALSE(IntToIdent(map, 3, s));
}
