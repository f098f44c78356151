// Writes the canonical text form: two spaces per level, one property per
// line, long strings and binary data spread over following lines. Every
// value is written so that the parser gives back the same bytes.

#include "platform/filer/ObjectText.h"

#include "platform/filer/BinaryValueReader.h"
#include "platform/filer/BinaryValueWriter.h"
#include "platform/filer/DecimalText.h"

namespace {

constexpr std::size_t kStringPieceLength = 64;
constexpr std::size_t kBinaryBytesPerLine = 32;

class TFormPrinter {
public:
    explicit TFormPrinter(TStream& in) : FReader(in) {}

    std::string Run() {
        FReader.ReadSignature();
        PrintObject(0);
        return FText;
    }

private:
    void Indent(int level) { FText.append(static_cast<std::size_t>(level) * 2, ' '); }

    // A name read from the stream must look the same when parsed back.
    std::string CheckedName(std::int64_t offset, std::string name, bool dotted, bool mayBeEmpty) {
        if (!(mayBeEmpty && name.empty()) && !IsFormIdentifier(name, dotted)) {
            FReader.Error(offset,
                          "Der Name \"" + name.substr(0, 64) + "\" ist als Text nicht darstellbar");
        }
        return name;
    }

    void PrintObject(int level) {
        const std::int64_t offset = FReader.Position();
        if (level > kMaxComponentNesting) {
            FReader.Error(offset, "Komponenten zu tief verschachtelt");
        }
        const TFilerPrefix prefix = FReader.ReadPrefix();
        if ((prefix.Flags & ffInherited) && (prefix.Flags & ffInline)) {
            FReader.Error(offset,
                          "'inherited' und 'inline' zugleich sind als Text nicht darstellbar");
        }
        const std::int64_t classOffset = FReader.Position();
        const std::string className = CheckedName(classOffset, FReader.ReadStr(), false, false);
        const std::int64_t nameOffset = FReader.Position();
        const std::string name = CheckedName(nameOffset, FReader.ReadStr(), false, true);

        Indent(level);
        if (prefix.Flags & ffInline) {
            FText += "inline ";
        } else if (prefix.Flags & ffInherited) {
            FText += "inherited ";
        } else {
            FText += "object ";
        }
        if (!name.empty()) {
            FText += name + ": ";
        }
        FText += className;
        if (prefix.Flags & ffChildPos) {
            FText += " [" + std::to_string(prefix.ChildPos) + "]";
        }
        FText += '\n';
        PrintProperties(level + 1, 0);
        while (!FReader.EndOfList()) {
            PrintObject(level + 1);
        }
        FReader.ReadListEnd();
        Indent(level);
        FText += "end\n";
    }

    // Properties up to and including their end marker, each on its own line.
    void PrintProperties(int level, int depth) {
        while (!FReader.EndOfList()) {
            const std::int64_t offset = FReader.Position();
            const std::string name = CheckedName(offset, FReader.ReadStr(), true, false);
            Indent(level);
            FText += name + " = ";
            PrintValue(level, depth);
            FText += '\n';
        }
        FReader.ReadListEnd();
    }

    // A value starting at the current column of a line indented by Level;
    // lines it continues on are indented one level more.
    void PrintValue(int level, int depth, bool inList = false) {
        const std::int64_t offset = FReader.Position();
        if (depth > kMaxValueNesting) {
            FReader.Error(offset, "Werte zu tief verschachtelt");
        }
        const TValueType type = FReader.NextValue();
        switch (type) {
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            FText += std::to_string(FReader.ReadInt64());
            return;
        case vaExtended:
            FText += FloatToText(DecodeExtended(FReader.ReadExtended()), kExtendedFormat);
            return;
        case vaSingle:
            FText += FloatToText(DecodeSingle(FReader.ReadSingleBits()), kSingleFormat) + "s";
            return;
        case vaDate:
            FText += FloatToText(DecodeDouble(FReader.ReadDateBits()), kDoubleFormat) + "d";
            return;
        case vaCurrency:
            FText += CurrencyToText(FReader.ReadCurrency()) + "c";
            return;
        case vaString:
        case vaLString:
        case vaUTF8String: {
            const std::string bytes = FReader.ReadString();
            std::u16string units;
            units.reserve(bytes.size());
            for (const char c : bytes) {
                units += static_cast<char16_t>(static_cast<unsigned char>(c));
            }
            PrintString(units, level);
            return;
        }
        case vaWString: {
            // Written as it is, so the parser sees a code above 255 and keeps
            // it wide; narrower ones come back as a byte string.
            const std::u16string units = FReader.ReadWideString();
            PrintString(units, level);
            return;
        }
        case vaIdent: {
            FReader.ReadValue();
            const std::string name = CheckedName(offset, FReader.ReadStr(), true, false);
            if (inList && name == kIdentNull) {
                // Parsed back it would be the end of the list.
                FReader.Error(offset, "Der Bezeichner Null ist in einer Liste nicht darstellbar");
            }
            FText += name;
            return;
        }
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull:
            FText += FReader.ReadIdent();
            return;
        case vaSet:
            PrintSet(offset);
            return;
        case vaBinary:
            PrintBinary(FReader.ReadBinary(), level);
            return;
        case vaList:
            FReader.ReadListBegin();
            FText += '(';
            while (!FReader.EndOfList()) {
                FText += '\n';
                Indent(level + 1);
                PrintValue(level + 1, depth + 1, true);
            }
            FReader.ReadListEnd();
            FText += ')';
            return;
        case vaCollection:
            PrintCollection(level, depth);
            return;
        }
        FReader.Error(offset, "Unbekannter Werttyp " + std::to_string(type));
    }

    void PrintSet(std::int64_t offset) {
        const std::vector<std::string> elements = FReader.ReadSet();
        FText += '[';
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (i > 0) {
                FText += ", ";
            }
            FText += CheckedName(offset, elements[i], false, false);
        }
        FText += ']';
    }

    void PrintCollection(int level, int depth) {
        FReader.ReadCollectionBegin();
        FText += '<';
        while (!FReader.EndOfList()) {
            const std::optional<std::int32_t> order = FReader.ReadCollectionItemBegin();
            FText += '\n';
            Indent(level + 1);
            if (order) {
                FText += "[" + std::to_string(*order) + "] ";
            }
            FText += "item\n";
            PrintProperties(level + 2, depth + 1);
            Indent(level + 1);
            FText += "end";
        }
        FReader.ReadListEnd();
        FText += '>';
    }

    // Printable ASCII inside quotes, everything else as #nnn.
    void PrintPiece(std::u16string_view units) {
        bool quoted = false;
        for (const char16_t unit : units) {
            const bool printable = unit >= 0x20 && unit < 0x7F;
            if (printable != quoted) {
                FText += '\'';
                quoted = printable;
            }
            if (!printable) {
                FText += '#' + std::to_string(static_cast<unsigned>(unit));
            } else if (unit == u'\'') {
                FText += "''";
            } else {
                FText += static_cast<char>(unit);
            }
        }
        if (quoted) {
            FText += '\'';
        }
    }

    void PrintString(const std::u16string& units, int level) {
        if (units.empty()) {
            FText += "''";
            return;
        }
        for (std::size_t start = 0; start < units.size(); start += kStringPieceLength) {
            if (start > 0) {
                FText += " +\n";
                Indent(level + 1);
            }
            PrintPiece(std::u16string_view(units).substr(start, kStringPieceLength));
        }
    }

    void PrintBinary(const std::vector<std::uint8_t>& bytes, int level) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        FText += '{';
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % kBinaryBytesPerLine == 0) {
                FText += '\n';
                Indent(level + 1);
            }
            FText += kHex[bytes[i] >> 4];
            FText += kHex[bytes[i] & 0x0F];
        }
        FText += '}';
    }

    TBinaryValueReader FReader;
    std::string FText;
};

} // namespace

std::string ObjectBinaryToText(TStream& in) {
    return TFormPrinter(in).Run();
}
