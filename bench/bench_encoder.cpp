// Time of one parameter file encoding: building the body, the header with its check values, the serialisation.
#include "form/FormFields.h"
#include "parameterfile/ParameterFile.h"
#include "support/MockClock.h"

#include <benchmark/benchmark.h>

namespace {
// The largest file the form can give: an SMS file with every shown field filled to its length.
ParameterFileInput smsInput()
{
    ParameterFileInput input;
    input.modeCode = 32;
    input.identifier = QUuid(QStringLiteral("{12345678-9abc-def1-2345-6789abcdef12}"));
    input.fileName = parameterFileName(input.modeCode);
    input.texts[FormField::PinCode] = QStringLiteral("1234");
    input.texts[FormField::SimCardPhoneNumber] = QStringLiteral("+41790000001");
    input.texts[FormField::OwnerPhoneNumber] = QStringLiteral("+41790000002");
    input.texts[FormField::UserKey] = QStringLiteral("A1B2C3");
    input.resetConfig = false;
    return input;
}

// As the window calls it: the local clock is read once per encoding.
void encodeWithClock(benchmark::State& state)
{
    const ParameterFileInput input = smsInput();
    for (auto _ : state) {
        EncodedParameterFile file = encodeParameterFile(input);
        benchmark::DoNotOptimize(file.header.data());
        benchmark::DoNotOptimize(file.body.data());
    }
}
BENCHMARK(encodeWithClock);

// The encoding alone, with a clock that is not read from the system.
void encodeWithGivenTime(benchmark::State& state)
{
    const ParameterFileInput input = smsInput();
    const MockClock clock(2026, 12, 6, 5, 15, 53);
    for (auto _ : state) {
        EncodedParameterFile file = encodeParameterFile(input);
        benchmark::DoNotOptimize(file.header.data());
        benchmark::DoNotOptimize(file.body.data());
    }
}
BENCHMARK(encodeWithGivenTime);
} // namespace

BENCHMARK_MAIN();
