// The copy loop of a split. Blocks are counted whole; only where a block
// holds a line that needs the schedule (a pump, a new part, a stop) is that
// line looked for. Bytes that need no change go to the part as they are, a
// whole block in one write; only lines whose end is not CR LF are patched.

#include "app/split/SplitCopier.h"

#include "app/split/LineSchedule.h"
#include "app/split/Utf8Mark.h"
#include "platform/rtl/Exceptions.h"

namespace {

class TSplitCopier {
public:
    TSplitCopier(TByteSource& source, TPartSink& parts, const TSplitProgress& progress,
                 const TSplitTuning& tuning)
        : FSource(source), FParts(parts), FSchedule(progress, tuning.FirstLine), FTuning(tuning),
          FLine(tuning.FirstLine) {}

    TSplitResult Run() {
        OpenPart(); // part 0 is there even when the first read fails
        try {
            FMark = FSource.HasMark();
            WriteMark();
            Copy();
            FPartOpen = false;
            FParts.Close();
        } catch (const EInOutError& error) {
            // A full disk cuts the part wherever the write stopped: it goes,
            // so that every part left ends with a whole line.
            if (error.ErrorCode == ioErrorDiskFull) {
                FPartOpen = false;
                FParts.Discard();
            } else {
                AbandonPart();
            }
            throw;
        } catch (...) {
            AbandonPart();
            throw;
        }
        return {FLine - FTuning.FirstLine, FPart + 1, FStopped};
    }

private:
    void Copy() {
        TTextLineRules rules;
        rules.CtrlZEndsOnlyAtTail = true;
        rules.LfEndsLineWithoutCr = true;
        rules.FirstBlockSize = FTuning.FirstBlockSize;
        TLineBlockReader blocks(FSource, rules, FTuning.BufferSize);
        for (std::string_view block = blocks.Next(); !block.empty(); block = blocks.Next()) {
            const TLineEnds ends(blocks.LfEndsLine());
            if (!CopyBlock(ends, block.data(), block.data() + block.size())) {
                FStopped = true;
                return;
            }
        }
        if (FStarted) {
            FParts.Write("\r\n", 2); // the last line had no line end
            ++FLine;
            FStarted = false;
        }
    }

    // False when a stop ended the copy.
    bool CopyBlock(const TLineEnds& ends, const char* p, const char* const end) {
        while (p != end) {
            const TLineEnds::TCount count = ends.Count(p, end);
            // The numbers of the lines that start in [p, end).
            const std::int64_t first = FStarted ? FLine + 1 : FLine;
            const std::int64_t last =
                FLine + static_cast<std::int64_t>(count.LineEnds) - (count.EndsAtLineEnd ? 1 : 0);
            const std::int64_t event =
                first <= last ? FSchedule.NextEvent(last) : TLineSchedule::Never;
            if (event == TLineSchedule::Never) {
                Emit(ends, p, end, count.AllCrLf);
                FLine += static_cast<std::int64_t>(count.LineEnds);
                FStarted = !count.EndsAtLineEnd;
                return true;
            }
            const char* const start =
                ends.SkipLines(p, end, static_cast<std::size_t>(event - FLine));
            Emit(ends, p, start, count.AllCrLf);
            FLine = event;
            FStarted = false;
            switch (FSchedule.Begin(event)) {
            case TLineSchedule::TAction::Stop:
                return false;
            case TLineSchedule::TAction::NewPart:
                FPartOpen = false;
                FParts.Close();
                ++FPart;
                OpenPart();
                break;
            case TLineSchedule::TAction::Copy:
                break;
            }
            FStarted = true;
            p = start;
        }
        return true;
    }

    // Writes [p, end) with every line end made CR LF; exact says they are.
    void Emit(const TLineEnds& ends, const char* p, const char* const end, bool exact) {
        if (!exact) {
            for (const char* stop = ends.Find(p, end); stop != end; stop = ends.Find(stop, end)) {
                const char* const next = TLineEnds::Skip(stop, end);
                if (next - stop != 2) {
                    Write(p, stop);
                    FParts.Write("\r\n", 2);
                    p = next;
                }
                stop = next;
            }
        }
        Write(p, end);
    }

    void Write(const char* begin, const char* end) {
        if (begin != end) {
            FParts.Write(begin, static_cast<std::size_t>(end - begin));
        }
    }

    void OpenPart() {
        FParts.Open(FPart);
        FPartOpen = true;
        WriteMark();
    }

    void WriteMark() {
        if (FMark) {
            FParts.Write(Utf8Mark.data(), Utf8Mark.size());
        }
    }

    // Closes the open part on an error path; the first error is the one to report.
    void AbandonPart() noexcept {
        if (!FPartOpen) {
            return;
        }
        FPartOpen = false;
        try {
            FParts.Close();
        } catch (...) {
        }
    }

    TUtf8MarkSkipper FSource;
    TPartSink& FParts;
    TLineSchedule FSchedule;
    const TSplitTuning& FTuning;
    std::int64_t FLine;    // the number of the line about to be copied, or being copied
    bool FStarted = false; // line FLine is being copied
    std::int64_t FPart = 0;
    bool FPartOpen = false;
    bool FStopped = false;
    bool FMark = false; // the source starts with the UTF-8 mark: so does every part
};

} // namespace

TSplitResult SplitStream(TByteSource& source, TPartSink& parts, const TSplitProgress& progress,
                         const TSplitTuning& tuning) {
    return TSplitCopier(source, parts, progress, tuning).Run();
}
