#include "platform/controls/SizeConstraints.h"

#include "platform/classes/Properties.h"

#include <algorithm>

const TClassInfo& TSizeConstraints::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TSizeConstraints>("TSizeConstraints", [](TPropertyTable& t) {
            TPropertyBuilder<TSizeConstraints> p(t);
            p.Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight,
                      0);
            p.Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0);
            p.Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight,
                      0);
            p.Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);
        });
    return info;
}

void TSizeConstraints::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TSizeConstraints*>(source)) {
        FMaxHeight = other->FMaxHeight;
        FMaxWidth = other->FMaxWidth;
        FMinHeight = other->FMinHeight;
        FMinWidth = other->FMinWidth;
        OnChange(this);
        return;
    }
    TPersistent::Assign(source);
}

void TSizeConstraints::Store(int& field, int value) {
    value = std::max(value, 0);
    if (value == field)
        return;
    field = value;
    OnChange(this);
}

void TSizeConstraints::SetMaxHeight(int value) {
    Store(FMaxHeight, value);
}

void TSizeConstraints::SetMaxWidth(int value) {
    Store(FMaxWidth, value);
}

void TSizeConstraints::SetMinHeight(int value) {
    Store(FMinHeight, value);
}

void TSizeConstraints::SetMinWidth(int value) {
    Store(FMinWidth, value);
}

void TSizeConstraints::Apply(int& width, int& height) const {
    if (FMaxWidth > 0)
        width = std::min(width, FMaxWidth);
    if (FMaxHeight > 0)
        height = std::min(height, FMaxHeight);
    width = std::max(width, FMinWidth);
    height = std::max(height, FMinHeight);
}
