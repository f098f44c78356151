#include "tests/support/FormBytes.h"

#include "platform/classes/Stream.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"

std::vector<std::uint8_t> WriteForm(TComponent& root) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRootComponent(&root);
    return stream.Bytes();
}

void ReadForm(TComponent& root, const std::vector<std::uint8_t>& form) {
    TReadOnlyMemoryStream stream(form.data(), static_cast<std::int64_t>(form.size()));
    TReader reader(stream);
    reader.ReadRootComponent(&root);
}
