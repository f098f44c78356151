# Files of platform/filer, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
)
list(APPEND WINDOWS
)
# The value-level binary format and its text form.
list(APPEND PORTABLE
    AnsiCharset.cpp
    BigUnsigned.cpp
    BinaryValueReader.cpp
    BinaryValueWriter.cpp
    DecimalText.cpp
    FloatEncoding.cpp
    ObjectBinaryToText.cpp
    ObjectTextToBinary.cpp
    TextFormLexer.cpp
)
# The component reader and writer.
list(APPEND PORTABLE Reader.cpp Writer.cpp)
