# cmake -DTEMPLATE=in.form -DBITMAP=logo.bmp -DOUTPUT=out.form -P EmbedPicture.cmake
# Puts a BMP file into a text form as the data of a picture property: the
# token @LOGO_PICTURE_DATA@ becomes the hex of the graphic class name (a short
# string, "TBitmap") followed by the bitmap's 32-bit size and its bytes.
file(READ ${TEMPLATE} form)
file(READ ${BITMAP} bmp HEX)
file(SIZE ${BITMAP} size)

set(hex "07")
string(HEX "TBitmap" name)
string(APPEND hex "${name}")
foreach(shift 0 8 16 24)
    math(EXPR byte "(${size} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "" byte "${byte}")
    string(LENGTH "${byte}" len)
    if(len EQUAL 1)
        set(byte "0${byte}")
    endif()
    string(APPEND hex "${byte}")
endforeach()
string(APPEND hex "${bmp}")
string(TOUPPER "${hex}" hex)

# Lines of 64 hex digits, indented like the property.
string(LENGTH "${hex}" total)
set(lines "")
set(at 0)
while(at LESS total)
    string(SUBSTRING "${hex}" ${at} 64 piece)
    string(APPEND lines "\n      ${piece}")
    math(EXPR at "${at} + 64")
endwhile()
set(hex "${lines}")
string(REPLACE "@LOGO_PICTURE_DATA@" "${hex}" form "${form}")
file(WRITE ${OUTPUT} "${form}")
