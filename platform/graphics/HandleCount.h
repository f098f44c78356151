#pragma once
// Live counts of the system handles the layer owns, by kind. Every owner of
// a handle (the RAII types of the layer) counts it while it holds it, so a
// test can prove that a create-destroy loop gives everything back.

#include <cstdint>

enum class THandleKind { GdiObject, DeviceContext, Window, Other };

std::int64_t LiveHandleCount(THandleKind kind);
void CountHandle(THandleKind kind, int delta);
