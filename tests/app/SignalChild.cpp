// Plays a sound (so the sound system runs), then sends itself the signal named
// on the command line. Exits 0 when the signal ended the event loop, 3 when
// it did not within ten seconds; killed by the signal, it exits abnormally.
#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/Signals.h"
#include "platform/Sound.h"

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    QCoreApplication app(argc, argv);
    landora::QuitOnTerminationSignals();
    const auto device = landora::CreateSdlAudioDevice();
    if (!device->OpenWave(0, argv[1]))
        return 2;
    device->PlayWave(0);
    const int signal = std::string(argv[2]) == "INT" ? SIGINT : SIGTERM;
    QTimer::singleShot(100, [signal] { std::raise(signal); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(3); });
    return QCoreApplication::exec();
}
