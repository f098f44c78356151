// The line rules of text files.

#include "platform/rtl/TextLineSplitter.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>

TTextLineSplitter::TTextLineSplitter(TByteSource& source, TTextLineRules rules,
                                     std::size_t bufferSize)
    : FSource(source), FRules(rules), FBuffer(bufferSize > 0 ? bufferSize : 1) {
    FStopsScan['\r'] = true;
    FStopsScan[static_cast<unsigned char>(CtrlZ)] = true;
    FStopsScan['\n'] = FRules.LfEndsLine;
}

bool TTextLineSplitter::Fill() {
    if (FPos < FEnd) {
        return true;
    }
    if (FSourceDone) {
        return false;
    }
    FPos = 0;
    FEnd = FSource.ReadSome(FBuffer.data(), FBuffer.size());
    FSourceDone = FEnd == 0;
    return !FSourceDone;
}

bool TTextLineSplitter::OnlyCtrlZToEnd() {
    for (;;) {
        const auto begin = FBuffer.begin() + static_cast<std::ptrdiff_t>(FPos);
        const auto end = FBuffer.begin() + static_cast<std::ptrdiff_t>(FEnd);
        if (std::find_if(begin, end, [](char c) { return c != CtrlZ; }) != end) {
            return false;
        }
        FPendingCtrlZ += FEnd - FPos;
        FPos = FEnd;
        if (!Fill()) {
            FPendingCtrlZ = 0; // the tail is not data
            return true;
        }
    }
}

bool TTextLineSplitter::Eof() {
    if (FPendingCtrlZ > 0) {
        return false;
    }
    if (!Fill()) {
        return true;
    }
    if (FBuffer[FPos] != CtrlZ) {
        return false;
    }
    return !FRules.CtrlZEndsOnlyAtTail || OnlyCtrlZToEnd();
}

void TTextLineSplitter::ReadLine(std::string& line) {
    if (Eof()) {
        throw EInOutError(ioErrorReadPastEnd);
    }
    line.clear();
    for (;;) {
        line.append(FPendingCtrlZ, CtrlZ);
        FPendingCtrlZ = 0;
        if (!Fill()) {
            return; // the physical end ends the last line
        }
        const char* const begin = FBuffer.data() + FPos;
        const char* const end = FBuffer.data() + FEnd;
        const char* const stop = std::find_if(
            begin, end, [this](char c) { return FStopsScan[static_cast<unsigned char>(c)]; });
        line.append(begin, stop);
        FPos += static_cast<std::size_t>(stop - begin);
        if (stop == end) {
            continue;
        }
        switch (*stop) {
        case '\r':
            ++FPos;
            if (Fill() && FBuffer[FPos] == '\n') {
                ++FPos;
            }
            return;
        case '\n':
            ++FPos;
            return;
        default: // Ctrl-Z
            if (!FRules.CtrlZEndsOnlyAtTail || OnlyCtrlZToEnd()) {
                return; // the cursor stays on it, so Eof() now holds
            }
            // Data: the run passed so far, then the rest of it in this buffer.
            line.append(FPendingCtrlZ, CtrlZ);
            FPendingCtrlZ = 0;
            while (FBuffer[FPos] == CtrlZ) {
                line += CtrlZ;
                ++FPos;
            }
        }
    }
}
