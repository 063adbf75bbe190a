#include "bench/marlune_fp.h"

#include "app/errors.h"

GeneratedProgram generateProgram(std::uint8_t, const BenchSettings&) {
    throw KorvexError(ErrorKind::general, "The program generator is not built yet");
}
