#include "sound/device_mix.h"

#include <cstddef>

void DeviceMix::apply(const MixCommand& command, const int16_t* samples)
{
    Pcm* sound = command.sound >= 0 && command.sound < kSoundCount ? &sounds[command.sound] : nullptr;
    switch (command.kind) {
    case MixCommand::Start:
        clocked.reset(command.value);
        clocked.musicStart = static_cast<int32_t>(command.demoTime);
        break;
    case MixCommand::Open:
        // Appending then moves nothing that a voice points at.
        if (sound) sound->reserve(2 * static_cast<size_t>(command.value));
        break;
    case MixCommand::Append:
        if (sound) sound->insert(sound->end(), samples, samples + command.value);
        break;
    case MixCommand::Music:
        clocked.mix.setMusic(&sounds[kMusicSound]);
        clocked.mix.setMusicMuted(command.value == 0);
        break;
    case MixCommand::Play:
        if (sound) clocked.play(sound, command.demoTime, command.value);
        break;
    case MixCommand::Frame:
        clocked.clock.frame(command.demoTime, command.ticks, command.startTicks);
        break;
    case MixCommand::Pause:
        clocked.clock.pause(command.ticks);
        break;
    case MixCommand::Resume:
        clocked.clock.resume(command.ticks);
        break;
    case MixCommand::Stop:
        if (!sound) break;
        clocked.mix.stop(sound);
        *sound = Pcm();
        break;
    case MixCommand::Jump:
        clocked.jump(command.demoTime, command.ticks, command.startTicks);
        break;
    case MixCommand::Landed:
        clocked.landed();
        break;
    case MixCommand::StopAll:
        clocked.mix.stopAll();
        clocked.mix.setMusic(nullptr);
        for (Pcm& each : sounds) each = Pcm();
        break;
    }
}
