#include "platform/web/mix_batch.h"

#include <cstring>

void appendCommand(std::vector<uint8_t>& batch, const MixCommand& command, const int16_t* samples)
{
    const auto* head = reinterpret_cast<const uint8_t*>(&command);
    batch.insert(batch.end(), head, head + sizeof command);
    if (command.kind != MixCommand::Append) return;
    const auto* body = reinterpret_cast<const uint8_t*>(samples);
    batch.insert(batch.end(), body, body + sizeof(int16_t) * static_cast<size_t>(command.value));
}

void applyBatch(DeviceMix& mix, const uint8_t* batch, size_t bytes)
{
    std::vector<int16_t> samples;
    for (size_t at = 0; at + sizeof(MixCommand) <= bytes;) {
        MixCommand command;
        memcpy(&command, batch + at, sizeof command);
        at += sizeof command;
        if (command.kind == MixCommand::Append) {
            // Copied out: the batch need not be aligned for samples.
            samples.resize(static_cast<size_t>(command.value));
            memcpy(samples.data(), batch + at, sizeof(int16_t) * samples.size());
            at += sizeof(int16_t) * samples.size();
        }
        mix.apply(command, samples.data());
    }
}
