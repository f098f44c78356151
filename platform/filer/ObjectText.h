#pragma once
// Conversion between the text form of a form stream, as checked into the
// sources:
//
//   object frmMain: TfrmMain
//     Caption = 'Tessaro'
//     object btnExecute: TButton
//       Left = 8
//     end
//   end
//
// and the binary form stream ("TPF0") that is linked into the program.
// Text -> binary -> text -> binary gives identical bytes, and so does
// binary -> text -> binary for every stream TBinaryValueWriter produces.

#include <string>

class TStream;

// Parses a UTF-8 text form and writes the binary stream (signature
// included) at Out's position. Raises EParserError with the line number.
void ObjectTextToBinary(const std::string& text, TStream& out);

// Reads a binary form stream from In's position and returns its canonical
// text (UTF-8, which here means plain ASCII). Raises EReadError for damaged
// data and for names that have no text form.
std::string ObjectBinaryToText(TStream& in);
