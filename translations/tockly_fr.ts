<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argument inattendu «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Tockly counts your work time from the fact of input alone: it runs a work clock while you
type or move the mouse, pauses after 30 seconds without input, and never sees what you
type. Without a command it starts the tray application, or hands its links to the one
already running.

Commands (tockly COMMAND --help says more):
  status [--follow] [--json]          the running Tockly&apos;s title and status, for panels
  card                                open or close the card of the running Tockly
  pause                               switch the running Tockly&apos;s automatic tracking off
  resume                              switch it on again
  report [--day yyyy-MM-dd] [--json]  a day&apos;s figures and the records
  sync [FOLDER | --off] [--json]      add up the day across your computers
  doctor                              what Tockly can see on this desktop

Environment: QUENBY_DATA_DIR keeps the work record in $QUENBY_DATA_DIR/Quenby/,
QUENBY_CREW_URL is the crew service&apos;s origin, QUENBY_UPDATE_FEED the update feed.
See tockly(1).</source>
        <translation>Tockly compte votre temps de travail au seul fait de la saisie&#xa0;: le chrono tourne tant que
vous tapez ou bougez la souris, se met en pause après 30 secondes sans saisie, et ne voit
jamais ce que vous tapez. Sans commande, il lance l&apos;application de la zone de notification,
ou passe ses liens à celle qui tourne déjà.

Commandes (tockly COMMANDE --help en dit plus)&#xa0;:
  status [--follow] [--json]          titre et état du Tockly en cours, pour les barres
  card                                ouvrir ou fermer la carte du Tockly en cours
  pause                               couper le suivi automatique
  resume                              le rallumer
  report [--day yyyy-MM-dd] [--json]  les chiffres d&apos;une journée et les records
  sync [FOLDER | --off] [--json]      additionner la journée sur tous vos ordinateurs
  doctor                              ce que Tockly voit sur ce bureau

Environnement&#xa0;: QUENBY_DATA_DIR range l&apos;historique dans $QUENBY_DATA_DIR/Quenby/,
QUENBY_CREW_URL est l&apos;adresse du service d&apos;équipes, QUENBY_UPDATE_FEED le flux des
mises à jour. Voir tockly(1).</translation>
    </message>
    <message>
        <source>Empty the recorded entries and activity at start.</source>
        <translation>Vider les entrées et l&apos;activité enregistrées au démarrage.</translation>
    </message>
    <message>
        <source>Check for a newer version one second after start.</source>
        <translation>Chercher une version plus récente une seconde après le démarrage.</translation>
    </message>
    <message>
        <source>quenby://join/CODE offers to join the crew CODE.</source>
        <translation>quenby://join/CODE propose de rejoindre l&apos;équipe CODE.</translation>
    </message>
    <message>
        <source>[link...]</source>
        <extracomment>The placeholder for links in the usage line of --help.</extracomment>
        <translation>[lien...]</translation>
    </message>
</context>
<context>
    <name>CrewError</name>
    <message>
        <source>Crews are unavailable: the crew service address &quot;%1&quot; (%2) was refused. It must be an https:// origin, or http:// to a loopback address, with no path, query or credentials.</source>
        <extracomment>%1 is the address as written, %2 where it came from (&quot;from QUENBY_CREW_URL&quot;).</extracomment>
        <translation>Les équipes sont indisponibles&#xa0;: l&apos;adresse du service d&apos;équipes «&#xa0;%1&#xa0;» (%2) a été refusée. Elle doit être une origine https://, ou http:// vers une adresse de bouclage, sans chemin, requête ni identifiants.</translation>
    </message>
    <message>
        <source>from QUENBY_CREW_URL</source>
        <translation>depuis QUENBY_CREW_URL</translation>
    </message>
    <message>
        <source>built in</source>
        <translation>intégrée</translation>
    </message>
    <message>
        <source>The crew server&apos;s answer could not be read.</source>
        <translation>La réponse du serveur d&apos;équipes est illisible.</translation>
    </message>
    <message>
        <source>That crew code doesn&apos;t exist.</source>
        <translation>Ce code d&apos;équipe n&apos;existe pas.</translation>
    </message>
    <message>
        <source>You&apos;re not a member of this crew.</source>
        <translation>Vous ne faites pas partie de cette équipe.</translation>
    </message>
    <message numerus="yes">
        <source>This crew is full: it already has %n members.</source>
        <translation>
            <numerusform>Cette équipe est complète&#xa0;: elle compte déjà %n membre.</numerusform>
            <numerusform>Cette équipe est complète&#xa0;: elle compte déjà %n membres.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the crew&apos;s owner can remove members.</source>
        <translation>Seule la personne qui a créé l&apos;équipe peut retirer des membres.</translation>
    </message>
    <message>
        <source>Nobody in this crew has that nickname.</source>
        <translation>Personne dans cette équipe ne porte ce pseudo.</translation>
    </message>
    <message>
        <source>You can&apos;t remove yourself. Leave the crew instead.</source>
        <translation>Vous ne pouvez pas vous retirer vous-même. Quittez plutôt l&apos;équipe.</translation>
    </message>
    <message>
        <source>Someone in this crew already has that nickname. Please pick another one.</source>
        <translation>Quelqu&apos;un dans cette équipe a déjà ce pseudo. Choisissez-en un autre.</translation>
    </message>
    <message>
        <source>Please choose a nickname.</source>
        <translation>Choisissez un pseudo.</translation>
    </message>
    <message numerus="yes">
        <source>A nickname can be at most %n characters.</source>
        <translation>
            <numerusform>Un pseudo ne peut pas dépasser %n caractère.</numerusform>
            <numerusform>Un pseudo ne peut pas dépasser %n caractères.</numerusform>
        </translation>
    </message>
    <message>
        <source>A nickname can&apos;t contain control characters.</source>
        <translation>Un pseudo ne peut pas contenir de caractères de contrôle.</translation>
    </message>
    <message>
        <source>Please give the crew a name.</source>
        <translation>Donnez un nom à l&apos;équipe.</translation>
    </message>
    <message numerus="yes">
        <source>A crew name can be at most %n characters.</source>
        <translation>
            <numerusform>Un nom d&apos;équipe ne peut pas dépasser %n caractère.</numerusform>
            <numerusform>Un nom d&apos;équipe ne peut pas dépasser %n caractères.</numerusform>
        </translation>
    </message>
    <message>
        <source>A crew name can&apos;t contain control characters.</source>
        <translation>Un nom d&apos;équipe ne peut pas contenir de caractères de contrôle.</translation>
    </message>
    <message numerus="yes">
        <source>Only days within %n days of today can be reported.</source>
        <extracomment>A report of days was refused: this computer&apos;s date is far from the service&apos;s.</extracomment>
        <translation>
            <numerusform>Seuls les jours situés à %n jour maximum d&apos;aujourd&apos;hui peuvent être envoyés.</numerusform>
            <numerusform>Seuls les jours situés à %n jours maximum d&apos;aujourd&apos;hui peuvent être envoyés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Too many requests. Please wait a minute and try again.</source>
        <translation>Trop de requêtes. Patientez une minute, puis réessayez.</translation>
    </message>
    <message>
        <source>Too many connections from your address. Please try again later.</source>
        <translation>Trop de connexions depuis votre adresse. Réessayez plus tard.</translation>
    </message>
    <message>
        <source>Too many new crews from your network. Please try again later.</source>
        <translation>Trop de nouvelles équipes depuis votre réseau. Réessayez plus tard.</translation>
    </message>
    <message>
        <source>The crew service is having trouble right now. Please try again later.</source>
        <translation>Le service d&apos;équipes a un souci en ce moment. Réessayez plus tard.</translation>
    </message>
    <message>
        <source>Something went wrong on the crew server.</source>
        <translation>Un problème est survenu sur le serveur d&apos;équipes.</translation>
    </message>
    <message>
        <source>The request took too long to arrive.</source>
        <translation>La requête a mis trop de temps à arriver.</translation>
    </message>
    <message>
        <source>The crew server gave a confusing answer.</source>
        <translation>Le serveur d&apos;équipes a donné une réponse confuse.</translation>
    </message>
    <message>
        <source>The crew server did not answer in time.</source>
        <translation>Le serveur d&apos;équipes n&apos;a pas répondu à temps.</translation>
    </message>
</context>
<context>
    <name>CrewInvite</name>
    <message>
        <source>Join my Tockly crew — let&apos;s see who works hardest: %1 (code %2)</source>
        <extracomment>The invitation a person copies and sends: %1 is the link, %2 the crew code.</extracomment>
        <translation>Rejoins mon équipe Tockly — voyons qui travaille le plus&#xa0;: %1 (code %2)</translation>
    </message>
</context>
<context>
    <name>Crews</name>
    <message numerus="yes">
        <source>You can be in up to %n crews.</source>
        <translation>
            <numerusform>Vous pouvez faire partie de %n équipe au plus.</numerusform>
            <numerusform>Vous pouvez faire partie de %n équipes au plus.</numerusform>
        </translation>
    </message>
    <message>
        <source>You&apos;re already in that crew.</source>
        <translation>Vous faites déjà partie de cette équipe.</translation>
    </message>
</context>
<context>
    <name>DBusMenu</name>
    <message>
        <source>Open</source>
        <extracomment>Tray menu: opens the card with today&apos;s figures.</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Historique…</translation>
    </message>
    <message>
        <source>Other computers…</source>
        <translation>Autres ordinateurs…</translation>
    </message>
    <message>
        <source>Track automatically</source>
        <extracomment>Tray menu check: the work clock starts by itself on input.</extracomment>
        <translation>Suivi automatique</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Quitter Tockly</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>lock file in $XDG_RUNTIME_DIR (no session bus)</source>
        <translation>fichier verrou dans $XDG_RUNTIME_DIR (pas de bus de session)</translation>
    </message>
    <message>
        <source>session bus name %1, held by process %2</source>
        <translation>nom %1 sur le bus de session, tenu par le processus %2</translation>
    </message>
    <message>
        <source>session bus name %1, free (Tockly is not running)</source>
        <translation>nom %1 sur le bus de session, libre (Tockly ne tourne pas)</translation>
    </message>
    <message>
        <source>quenby:// links open through %1</source>
        <translation>les liens quenby:// s&apos;ouvrent via %1</translation>
    </message>
    <message>
        <source>no tockly.desktop with x-scheme-handler/quenby in the applications folders (the package or ./run installs one)</source>
        <translation>aucun tockly.desktop avec x-scheme-handler/quenby dans les dossiers d&apos;applications (le paquet ou ./run en installe un)</translation>
    </message>
    <message>
        <source>GNOME&apos;s top bar, shown by the Shell extension %1</source>
        <translation>la barre supérieure de GNOME, affiché par l&apos;extension Shell %1</translation>
    </message>
    <message>
        <source>a StatusNotifierItem (%1 runs)</source>
        <translation>un StatusNotifierItem (%1 tourne)</translation>
    </message>
    <message>
        <source>Qt&apos;s tray icon (no StatusNotifierWatcher on the session bus)</source>
        <translation>l&apos;icône de notification de Qt (pas de StatusNotifierWatcher sur le bus de session)</translation>
    </message>
    <message>
        <source>; in GNOME&apos;s top bar: </source>
        <translation>&#xa0;; dans la barre supérieure de GNOME&#xa0;: </translation>
    </message>
    <message>
        <source>input: %1</source>
        <extracomment>The doctor&apos;s lines follow: &quot;label: what Tockly found&quot;; keep the labels short.</extracomment>
        <translation>saisie&#xa0;: %1</translation>
    </message>
    <message>
        <source>frontmost application: %1</source>
        <translation>application au premier plan&#xa0;: %1</translation>
    </message>
    <message>
        <source>sleep and wake: %1</source>
        <translation>veille et réveil&#xa0;: %1</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, enabled</source>
        <translation>démarrage à la connexion&#xa0;: démarrage automatique XDG %1, activé</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, not registered</source>
        <translation>démarrage à la connexion&#xa0;: démarrage automatique XDG %1, non inscrit</translation>
    </message>
    <message>
        <source>single instance: %1</source>
        <translation>instance unique&#xa0;: %1</translation>
    </message>
    <message>
        <source>links: %1</source>
        <translation>liens&#xa0;: %1</translation>
    </message>
    <message>
        <source>data folder: %1</source>
        <translation>dossier de données&#xa0;: %1</translation>
    </message>
    <message>
        <source>settings: %1</source>
        <translation>réglages&#xa0;: %1</translation>
    </message>
    <message>
        <source>panel item: %1</source>
        <translation>élément de barre&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>OtherComputersModel</name>
    <message>
        <source>today %1</source>
        <extracomment>When another computer last wrote: %1 is a time of today.</extracomment>
        <translation>aujourd&apos;hui %1</translation>
    </message>
    <message>
        <source>this computer</source>
        <translation>cet ordinateur</translation>
    </message>
    <message>
        <source>last wrote %1</source>
        <extracomment>%1 is when: &quot;today 14:05&quot; or a date and time.</extracomment>
        <translation>dernière écriture %1</translation>
    </message>
    <message>
        <source>nothing written yet</source>
        <translation>rien d&apos;écrit pour l&apos;instant</translation>
    </message>
    <message>
        <source>its folder is gone</source>
        <translation>son dossier a disparu</translation>
    </message>
    <message>
        <source>Only a folder on this computer can be used</source>
        <translation>Seul un dossier de cet ordinateur convient</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Day</source>
        <extracomment>Report row labels follow; each is printed with its value after it, aligned.</extracomment>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Worked</source>
        <extracomment>Report row: the worked time of the day.</extracomment>
        <translation>Travaillé</translation>
    </message>
    <message>
        <source>Computers</source>
        <translation>Ordinateurs</translation>
    </message>
    <message>
        <source>First input</source>
        <translation>Première saisie</translation>
    </message>
    <message>
        <source>Last input</source>
        <translation>Dernière saisie</translation>
    </message>
    <message>
        <source>Longest stretch</source>
        <translation>Plus longue session</translation>
    </message>
    <message>
        <source>Deep work</source>
        <translation>Travail concentré</translation>
    </message>
    <message>
        <source>Breaks</source>
        <translation>Pauses</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Words</source>
        <extracomment>Report row: the words typed (keys divided by five).</extracomment>
        <translation>Mots</translation>
    </message>
    <message>
        <source>Typing pace</source>
        <translation>Vitesse de frappe</translation>
    </message>
    <message>
        <source>%1 words/min</source>
        <translation>%1 mots/min</translation>
    </message>
    <message>
        <source>Busiest hour</source>
        <translation>Heure la plus active</translation>
    </message>
    <message numerus="yes">
        <source>%1:00 (%2 keys)</source>
        <extracomment>%1 is the hour (09), %2 the number of keys pressed in it.</extracomment>
        <translation>
            <numerusform>%1:00 (%2 touche)</numerusform>
            <numerusform>%1:00 (%2 touches)</numerusform>
        </translation>
    </message>
    <message>
        <source>Top apps</source>
        <translation>Apps phares</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>Depuis le début</translation>
    </message>
    <message>
        <source>Best day</source>
        <translation>Meilleur jour</translation>
    </message>
    <message>
        <source>Streak</source>
        <extracomment>Report row: how many days in a row the goal was reached.</extracomment>
        <translation>Série</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 jour</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal</source>
        <extracomment>Report row value: no daily goal is set.</extracomment>
        <translation>Objectif</translation>
    </message>
    <message>
        <source>reached</source>
        <translation>atteint</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivé</translation>
    </message>
</context>
<context>
    <name>ReportCommand</name>
    <message>
        <source>Prints a day&apos;s worked time, its rhythm, score, words, typing pace, busiest hour and top
applications, and the records (last 7 days, all time, best day, streak) with the goal.
Reads the data folder without changing it, so it can run while Tockly runs; a segment
that is being counted right now counts up to now. When the record is synced across
computers (tockly sync), the figures are the day across all of them, and each computer&apos;s
own time is listed.</source>
        <translation>Affiche le temps travaillé d&apos;une journée, son rythme, son score, les mots, la vitesse de
frappe, l&apos;heure la plus active et les apps phares, ainsi que les records (7 derniers jours,
depuis le début, meilleur jour, série) et l&apos;objectif. Lit le dossier de données sans le
modifier&#xa0;: il peut donc tourner pendant que Tockly tourne&#xa0;; une session en cours compte
jusqu&apos;à maintenant. Quand l&apos;historique est synchronisé entre ordinateurs (tockly sync), les
chiffres couvrent la journée sur tous, et le temps de chaque ordinateur est détaillé.</translation>
    </message>
    <message>
        <source>The day to report (default: today).</source>
        <translation>Le jour à afficher (par défaut&#xa0;: aujourd&apos;hui).</translation>
    </message>
    <message>
        <source>Print JSON: instants as seconds since 2001-01-01 UTC, days as yyyy-MM-dd, absent values as null.</source>
        <translation>Afficher du JSON&#xa0;: instants en secondes depuis le 2001-01-01 UTC, jours en yyyy-MM-dd, valeurs absentes en null.</translation>
    </message>
    <message>
        <source>--day needs a real date written yyyy-MM-dd, not &quot;%1&quot;</source>
        <translation>--day attend une vraie date écrite yyyy-MM-dd, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>not a readable folder, counted as empty</source>
        <translation>pas un dossier lisible, compté comme vide</translation>
    </message>
    <message>
        <source>unreadable, counted as empty</source>
        <translation>illisible, compté comme vide</translation>
    </message>
</context>
<context>
    <name>ShellExtensionOffer</name>
    <message>
        <source>Show Tockly in the top bar?</source>
        <translation>Afficher Tockly dans la barre supérieure&#xa0;?</translation>
    </message>
    <message>
        <source>GNOME shows Tockly&apos;s time in the top bar, and tells it which app you work in, only through Tockly&apos;s Shell extension. It is installed and waits to be enabled.</source>
        <translation>GNOME n&apos;affiche le temps de Tockly dans la barre supérieure, et ne lui dit dans quelle app vous travaillez, que via l&apos;extension Shell de Tockly. Elle est installée et n&apos;attend plus que d&apos;être activée.</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activer</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Auto-tracking is off</source>
        <translation>Le suivi automatique est coupé</translation>
    </message>
    <message>
        <source>Counting — you&apos;re active</source>
        <translation>Ça compte — vous êtes à l&apos;œuvre</translation>
    </message>
    <message>
        <source>Paused — you stepped away</source>
        <translation>En pause — vous avez quitté le clavier</translation>
    </message>
    <message>
        <source>Watching for activity…</source>
        <translation>À l&apos;affût d&apos;activité…</translation>
    </message>
</context>
<context>
    <name>StatusCommand</name>
    <message>
        <source>not running</source>
        <translation>ne tourne pas</translation>
    </message>
    <message>
        <source>Prints the running Tockly&apos;s title and status, for panels without tray labels.</source>
        <translation>Affiche le titre et l&apos;état du Tockly en cours, pour les barres sans texte dans la zone de notification.</translation>
    </message>
    <message>
        <source>Print every change.</source>
        <translation>Afficher chaque changement.</translation>
    </message>
    <message>
        <source>One JSON object a line (text, tooltip, class) for panel modules.</source>
        <translation>Un objet JSON par ligne (text, tooltip, class) pour les modules de barre.</translation>
    </message>
    <message>
        <source>no session bus</source>
        <translation>pas de bus de session</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Download</source>
        <extracomment>Notification button that opens the new version&apos;s download page.</extracomment>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Tockly %1 is available</source>
        <translation>Tockly %1 est disponible</translation>
    </message>
    <message>
        <source>You have %1. Open the download page to get the new version.</source>
        <translation>Vous avez la %1. Ouvrez la page de téléchargement pour obtenir la nouvelle version.</translation>
    </message>
</context>
<context>
    <name>WindowSlots</name>
    <message>
        <source>Welcome</source>
        <translation>Bienvenue</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>Comment marche Tockly</translation>
    </message>
    <message>
        <source>Tockly — History</source>
        <translation>Tockly — Historique</translation>
    </message>
    <message>
        <source>Other computers</source>
        <translation>Autres ordinateurs</translation>
    </message>
    <message>
        <source>Crew Invite</source>
        <translation>Invitation d&apos;équipe</translation>
    </message>
</context>
</TS>
