#include "CommandLineHelp.h"

QString tocklyHelp()
{
    return QStringLiteral(
        "Usage: tockly [-quenbyReset] [-quenbyCheckUpdates] [quenby://join/CODE]\n"
        "       tockly COMMAND [OPTION...]\n"
        "\n"
        "Tockly counts your work time from the fact of input alone: it runs a work clock while\n"
        "you type or move the mouse, pauses after 30 seconds without input, and never sees what\n"
        "you type. Without a command it starts the tray application, or hands a link to the one\n"
        "already running.\n"
        "\n"
        "Commands:\n"
        "  status [--follow] [--json]          the running Tockly's title and status, for panels\n"
        "  card                                open or close the card of the running Tockly\n"
        "  pause                               switch the running Tockly's automatic tracking off\n"
        "  resume                              switch it on again\n"
        "  report [--day yyyy-MM-dd] [--json]  a day's figures and the records, read from the\n"
        "                                      data folder while Tockly runs or not\n"
        "  sync [FOLDER | --off] [--json]      add up the day across your computers through a\n"
        "                                      folder you keep in step between them\n"
        "  doctor                              what Tockly can see on this desktop, and how to\n"
        "                                      let it count input\n"
        "\n"
        "Options:\n"
        "  -quenbyReset           empty the recorded entries and activity at start\n"
        "  -quenbyCheckUpdates    check for a newer version one second after start\n"
        "  quenby://join/CODE     offer to join the crew CODE\n"
        "  --help                 print this help and exit\n"
        "  --version              print the version and exit\n"
        "\n"
        "Environment:\n"
        "  QUENBY_DATA_DIR        keep the work record in $QUENBY_DATA_DIR/Quenby/\n"
        "  QUENBY_CREW_URL        the crew service's origin (https, or http on loopback)\n"
        "  QUENBY_UPDATE_FEED     the update feed (an RSS appcast over https)\n"
        "\n"
        "Files:\n"
        "  ~/.local/share/Quenby/entries.json, activity.json   the work record\n"
        "  ~/.config/Quenby/settings.json                      the settings\n"
        "  ~/.config/autostart/tockly.desktop                  start at login\n"
        "\n"
        "See tockly(1).\n");
}

QString tocklyVersion()
{
    return QStringLiteral("tockly " TOCKLY_VERSION "\n");
}
