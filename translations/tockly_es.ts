<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CardModel</name>
    <message>
        <source>~%1 words</source>
        <extracomment>About so many words typed on the chosen day.</extracomment>
        <translation>~%1 palabras</translation>
    </message>
</context>
<context>
    <name>CardText</name>
    <message>
        <source>🍀 777 streak!</source>
        <extracomment>Seven days in a row: the lucky number.</extracomment>
        <translation>🍀 ¡Racha 777!</translation>
    </message>
    <message numerus="yes">
        <source>🔥 %n-day streak</source>
        <translation>
            <numerusform>🔥 Racha de %n día</numerusform>
            <numerusform>🔥 Racha de %n días</numerusform>
        </translation>
    </message>
    <message>
        <source>%1.</source>
        <extracomment>A place on the crew&apos;s board, after the first three: 4., 5., ...</extracomment>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>goal reached! 🎉</source>
        <translation>¡objetivo cumplido! 🎉</translation>
    </message>
    <message>
        <source>goal %1 · %2%</source>
        <extracomment>%1 is the daily goal (4h 0m), %2 the percentage of it done.</extracomment>
        <translation>objetivo %1 · %2&#xa0;%</translation>
    </message>
    <message>
        <source>Daily goal %1 percent complete</source>
        <translation>Objetivo diario completado al %1 por ciento</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>No daily goal.</extracomment>
        <translation>No</translation>
    </message>
    <message>
        <source>%1h</source>
        <extracomment>A daily goal of so many hours.</extracomment>
        <translation>%1h</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argumento inesperado «%1»</translation>
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
        <translation>Tockly cuenta tu tiempo de trabajo solo por el hecho de que escribes: el reloj de trabajo
corre mientras tecleas o mueves el ratón, se pausa tras 30 segundos sin actividad y nunca
ve lo que escribes. Sin orden, abre la aplicación de la bandeja o pasa sus enlaces a la que
ya está abierta.

Órdenes (tockly ORDEN --help da más detalles):
  status [--follow] [--json]          título y estado del Tockly abierto, para paneles
  card                                abrir o cerrar la tarjeta del Tockly abierto
  pause                               apagar el registro automático
  resume                              volver a encenderlo
  report [--day yyyy-MM-dd] [--json]  las cifras de un día y los récords
  sync [FOLDER | --off] [--json]      sumar el día de todos tus ordenadores
  doctor                              lo que Tockly puede ver en este escritorio

Entorno: QUENBY_DATA_DIR guarda el registro en $QUENBY_DATA_DIR/Quenby/,
QUENBY_CREW_URL es la dirección del servicio de equipos, QUENBY_UPDATE_FEED el canal de
actualizaciones. Consulta tockly(1).</translation>
    </message>
    <message>
        <source>Empty the recorded entries and activity at start.</source>
        <translation>Vaciar al inicio las entradas y la actividad registradas.</translation>
    </message>
    <message>
        <source>Check for a newer version one second after start.</source>
        <translation>Buscar una versión más reciente un segundo después del inicio.</translation>
    </message>
    <message>
        <source>quenby://join/CODE offers to join the crew CODE.</source>
        <translation>quenby://join/CODE ofrece unirse al equipo CODE.</translation>
    </message>
    <message>
        <source>[link...]</source>
        <extracomment>The placeholder for links in the usage line of --help.</extracomment>
        <translation>[enlace...]</translation>
    </message>
</context>
<context>
    <name>CrewBox</name>
    <message>
        <source>CREW 👑</source>
        <extracomment>The heading of the crew box, in capitals.</extracomment>
        <translation>EQUIPO 👑</translation>
    </message>
    <message>
        <source>Race your friends — who works hardest today?</source>
        <translation>Compite con tus amigos — ¿quién trabaja más hoy?</translation>
    </message>
    <message>
        <source>Start a crew</source>
        <translation>Crear equipo</translation>
    </message>
    <message>
        <source>Join with code</source>
        <translation>Tengo un código</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Your nickname</source>
        <translation>Tu apodo</translation>
    </message>
    <message>
        <source>Crew code (e.g. LUCKY7)</source>
        <translation>Código del equipo (p.&#xa0;ej. LUCKY7)</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Unirse</translation>
    </message>
    <message>
        <source>CREW · %1</source>
        <extracomment>The board&apos;s heading: %1 is the crew&apos;s name in capitals.</extracomment>
        <translation>EQUIPO · %1</translation>
    </message>
    <message>
        <source>Start or join another crew</source>
        <translation>Crear otro equipo o unirte a otro</translation>
    </message>
    <message>
        <source>Refresh leaderboard</source>
        <translation>Actualizar la clasificación</translation>
    </message>
    <message>
        <source>Waiting for first reports…</source>
        <translation>Esperando los primeros resultados…</translation>
    </message>
    <message>
        <source>Copied! 🍀</source>
        <translation>¡Copiado! 🍀</translation>
    </message>
    <message>
        <source>Copy invite</source>
        <translation>Copiar invitación</translation>
    </message>
    <message>
        <source>Open ↗</source>
        <extracomment>Opens the crew&apos;s page in the browser.</extracomment>
        <translation>Abrir ↗</translation>
    </message>
    <message>
        <source>Leave</source>
        <extracomment>Leaves the crew.</extracomment>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>CrewError</name>
    <message>
        <source>Crews are unavailable: the crew service address &quot;%1&quot; (%2) was refused. It must be an https:// origin, or http:// to a loopback address, with no path, query or credentials.</source>
        <extracomment>%1 is the address as written, %2 where it came from (&quot;from QUENBY_CREW_URL&quot;).</extracomment>
        <translation>Los equipos no están disponibles: se rechazó la dirección del servicio de equipos «%1» (%2). Debe ser un origen https://, o http:// a una dirección de bucle local, sin ruta, consulta ni credenciales.</translation>
    </message>
    <message>
        <source>from QUENBY_CREW_URL</source>
        <translation>de QUENBY_CREW_URL</translation>
    </message>
    <message>
        <source>built in</source>
        <translation>integrada</translation>
    </message>
    <message>
        <source>The crew server&apos;s answer could not be read.</source>
        <translation>No se pudo leer la respuesta del servidor de equipos.</translation>
    </message>
    <message>
        <source>That crew code doesn&apos;t exist.</source>
        <translation>Ese código de equipo no existe.</translation>
    </message>
    <message>
        <source>You&apos;re not a member of this crew.</source>
        <translation>No eres miembro de este equipo.</translation>
    </message>
    <message numerus="yes">
        <source>This crew is full: it already has %n members.</source>
        <translation>
            <numerusform>Este equipo está completo: ya tiene %n miembro.</numerusform>
            <numerusform>Este equipo está completo: ya tiene %n miembros.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the crew&apos;s owner can remove members.</source>
        <translation>Solo quien creó el equipo puede quitar miembros.</translation>
    </message>
    <message>
        <source>Nobody in this crew has that nickname.</source>
        <translation>Nadie en este equipo tiene ese apodo.</translation>
    </message>
    <message>
        <source>You can&apos;t remove yourself. Leave the crew instead.</source>
        <translation>No puedes eliminarte. Mejor sal del equipo.</translation>
    </message>
    <message>
        <source>Someone in this crew already has that nickname. Please pick another one.</source>
        <translation>Alguien de este equipo ya tiene ese apodo. Elige otro, por favor.</translation>
    </message>
    <message>
        <source>Please choose a nickname.</source>
        <translation>Elige un apodo, por favor.</translation>
    </message>
    <message numerus="yes">
        <source>A nickname can be at most %n characters.</source>
        <translation>
            <numerusform>Un apodo puede tener como máximo %n carácter.</numerusform>
            <numerusform>Un apodo puede tener como máximo %n caracteres.</numerusform>
        </translation>
    </message>
    <message>
        <source>A nickname can&apos;t contain control characters.</source>
        <translation>Un apodo no puede contener caracteres de control.</translation>
    </message>
    <message>
        <source>Please give the crew a name.</source>
        <translation>Ponle un nombre al equipo, por favor.</translation>
    </message>
    <message numerus="yes">
        <source>A crew name can be at most %n characters.</source>
        <translation>
            <numerusform>El nombre de un equipo puede tener como máximo %n carácter.</numerusform>
            <numerusform>El nombre de un equipo puede tener como máximo %n caracteres.</numerusform>
        </translation>
    </message>
    <message>
        <source>A crew name can&apos;t contain control characters.</source>
        <translation>El nombre de un equipo no puede contener caracteres de control.</translation>
    </message>
    <message numerus="yes">
        <source>Only days within %n days of today can be reported.</source>
        <extracomment>A report of days was refused: this computer&apos;s date is far from the service&apos;s.</extracomment>
        <translation>
            <numerusform>Solo se pueden enviar días que estén a un máximo de %n día de hoy.</numerusform>
            <numerusform>Solo se pueden enviar días que estén a un máximo de %n días de hoy.</numerusform>
        </translation>
    </message>
    <message>
        <source>Too many requests. Please wait a minute and try again.</source>
        <translation>Demasiadas solicitudes. Espera un minuto y vuelve a intentarlo.</translation>
    </message>
    <message>
        <source>Too many connections from your address. Please try again later.</source>
        <translation>Demasiadas conexiones desde tu dirección. Vuelve a intentarlo más tarde.</translation>
    </message>
    <message>
        <source>Too many new crews from your network. Please try again later.</source>
        <translation>Demasiados equipos nuevos desde tu red. Vuelve a intentarlo más tarde.</translation>
    </message>
    <message>
        <source>The crew service is having trouble right now. Please try again later.</source>
        <translation>El servicio de equipos tiene problemas ahora mismo. Vuelve a intentarlo más tarde.</translation>
    </message>
    <message>
        <source>Something went wrong on the crew server.</source>
        <translation>Algo salió mal en el servidor de equipos.</translation>
    </message>
    <message>
        <source>The request took too long to arrive.</source>
        <translation>La solicitud tardó demasiado en llegar.</translation>
    </message>
    <message>
        <source>The crew server gave a confusing answer.</source>
        <translation>El servidor de equipos dio una respuesta confusa.</translation>
    </message>
    <message>
        <source>The crew server did not answer in time.</source>
        <translation>El servidor de equipos no respondió a tiempo.</translation>
    </message>
</context>
<context>
    <name>CrewInvite</name>
    <message>
        <source>Join my Tockly crew — let&apos;s see who works hardest: %1 (code %2)</source>
        <extracomment>The invitation a person copies and sends: %1 is the link, %2 the crew code.</extracomment>
        <translation>Únete a mi equipo de Tockly — a ver quién trabaja más: %1 (código %2)</translation>
    </message>
</context>
<context>
    <name>CrewModel</name>
    <message>
        <source>%1&apos;s Crew</source>
        <extracomment>The name of a new crew, which its members see: %1 is the founder&apos;s nickname.</extracomment>
        <translation>El equipo de %1</translation>
    </message>
</context>
<context>
    <name>Crews</name>
    <message numerus="yes">
        <source>You can be in up to %n crews.</source>
        <translation>
            <numerusform>Puedes estar en %n equipo como máximo.</numerusform>
            <numerusform>Puedes estar en %n equipos como máximo.</numerusform>
        </translation>
    </message>
    <message>
        <source>You&apos;re already in that crew.</source>
        <translation>Ya estás en ese equipo.</translation>
    </message>
</context>
<context>
    <name>DBusMenu</name>
    <message>
        <source>Open</source>
        <extracomment>Tray menu: opens the card with today&apos;s figures.</extracomment>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Historial…</translation>
    </message>
    <message>
        <source>Other computers…</source>
        <translation>Otros ordenadores…</translation>
    </message>
    <message>
        <source>Track automatically</source>
        <extracomment>Tray menu check: the work clock starts by itself on input.</extracomment>
        <translation>Registro automático</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Salir de Tockly</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>lock file in $XDG_RUNTIME_DIR (no session bus)</source>
        <translation>archivo de bloqueo en $XDG_RUNTIME_DIR (no hay bus de sesión)</translation>
    </message>
    <message>
        <source>session bus name %1, held by process %2</source>
        <translation>nombre %1 en el bus de sesión, en manos del proceso %2</translation>
    </message>
    <message>
        <source>session bus name %1, free (Tockly is not running)</source>
        <translation>nombre %1 en el bus de sesión, libre (Tockly no está abierto)</translation>
    </message>
    <message>
        <source>quenby:// links open through %1</source>
        <translation>los enlaces quenby:// se abren con %1</translation>
    </message>
    <message>
        <source>no tockly.desktop with x-scheme-handler/quenby in the applications folders (the package or ./run installs one)</source>
        <translation>no hay ningún tockly.desktop con x-scheme-handler/quenby en las carpetas de aplicaciones (el paquete o ./run instalan uno)</translation>
    </message>
    <message>
        <source>GNOME&apos;s top bar, shown by the Shell extension %1</source>
        <translation>la barra superior de GNOME, mostrado por la extensión de Shell %1</translation>
    </message>
    <message>
        <source>a StatusNotifierItem (%1 runs)</source>
        <translation>un StatusNotifierItem (%1 está activo)</translation>
    </message>
    <message>
        <source>Qt&apos;s tray icon (no StatusNotifierWatcher on the session bus)</source>
        <translation>el icono de bandeja de Qt (no hay StatusNotifierWatcher en el bus de sesión)</translation>
    </message>
    <message>
        <source>; in GNOME&apos;s top bar: </source>
        <translation>; en la barra superior de GNOME: </translation>
    </message>
    <message>
        <source>input: %1</source>
        <extracomment>The doctor&apos;s lines follow: &quot;label: what Tockly found&quot;; keep the labels short.</extracomment>
        <translation>entrada: %1</translation>
    </message>
    <message>
        <source>frontmost application: %1</source>
        <translation>aplicación en primer plano: %1</translation>
    </message>
    <message>
        <source>sleep and wake: %1</source>
        <translation>suspensión y reanudación: %1</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, enabled</source>
        <translation>inicio de sesión: inicio automático XDG %1, activado</translation>
    </message>
    <message>
        <source>login item: XDG autostart %1, not registered</source>
        <translation>inicio de sesión: inicio automático XDG %1, no registrado</translation>
    </message>
    <message>
        <source>single instance: %1</source>
        <translation>instancia única: %1</translation>
    </message>
    <message>
        <source>links: %1</source>
        <translation>enlaces: %1</translation>
    </message>
    <message>
        <source>data folder: %1</source>
        <translation>carpeta de datos: %1</translation>
    </message>
    <message>
        <source>settings: %1</source>
        <translation>ajustes: %1</translation>
    </message>
    <message>
        <source>panel item: %1</source>
        <translation>elemento del panel: %1</translation>
    </message>
</context>
<context>
    <name>DurationText</name>
    <message>
        <source>1 day</source>
        <translation>1 día</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExportDocument</name>
    <message numerus="yes">
        <source>Exported %n entries ✓</source>
        <translation>
            <numerusform>%n entrada exportada ✓</numerusform>
            <numerusform>%n entradas exportadas ✓</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GoalMenu</name>
    <message>
        <source>Daily goal</source>
        <translation>Objetivo diario</translation>
    </message>
</context>
<context>
    <name>HistoryCalendar</name>
    <message>
        <source>Previous month</source>
        <translation>Mes anterior</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mes siguiente</translation>
    </message>
    <message>
        <source>less</source>
        <extracomment>The legend of the days&apos; tints: less work on the left ...</extracomment>
        <translation>menos</translation>
    </message>
    <message>
        <source>more</source>
        <extracomment>... more work on the right.</extracomment>
        <translation>más</translation>
    </message>
</context>
<context>
    <name>HistoryDetail</name>
    <message>
        <source>Minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts — more work is always a higher score.</source>
        <translation>Minutos trabajados + minutos de trabajo concentrado otra vez + palabras ÷ 10 + clics ÷ 25 + desplazamientos ÷ 200. Nada resta — más trabajo siempre da más puntos.</translation>
    </message>
    <message>
        <source>SCORE</source>
        <extracomment>Over the day&apos;s score, in capitals.</extracomment>
        <translation>PUNTOS</translation>
    </message>
    <message>
        <source>No work recorded this day. 🍀</source>
        <translation>No hay trabajo registrado este día. 🍀</translation>
    </message>
    <message>
        <source>TYPING VS MOUSING</source>
        <translation>TECLADO VS. RATÓN</translation>
    </message>
    <message>
        <source>KEYSTROKES BY HOUR</source>
        <translation>PULSACIONES POR HORA</translation>
    </message>
    <message>
        <source>TOP APPS</source>
        <translation>APPS PRINCIPALES</translation>
    </message>
    <message>
        <source>SESSIONS</source>
        <translation>SESIONES</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Export failed</source>
        <translation>No se pudo exportar</translation>
    </message>
</context>
<context>
    <name>HistoryText</name>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Ayer</translation>
    </message>
    <message>
        <source>⌨️ ~%1 words typed · %2 keystrokes</source>
        <extracomment>%1 is the number of words (a word is 5 keystrokes), %2 of keystrokes.</extracomment>
        <translation>⌨️ ~%1 palabras escritas · %2 pulsaciones</translation>
    </message>
    <message>
        <source>busiest %1 – %2 · ~%3 words</source>
        <extracomment>The busiest hour of the day: from %1 to %2, about %3 words typed in it.</extracomment>
        <translation>hora punta %1 – %2 · ~%3 palabras</translation>
    </message>
    <message>
        <source>day span</source>
        <translation>franja del día</translation>
    </message>
    <message>
        <source>deep work (25m+ blocks)</source>
        <translation>trabajo concentrado (25m+)</translation>
    </message>
    <message>
        <source>longest stretch · 1 break</source>
        <translation>tramo más largo · 1 pausa</translation>
    </message>
    <message numerus="yes">
        <source>longest stretch · %n breaks</source>
        <translation>
            <numerusform>tramo más largo · %n pausa</numerusform>
            <numerusform>tramo más largo · %n pausas</numerusform>
        </translation>
    </message>
    <message>
        <source>clicks</source>
        <translation>clics</translation>
    </message>
    <message>
        <source>scroll flicks</source>
        <translation>giros de rueda</translation>
    </message>
    <message>
        <source>modifier presses</source>
        <extracomment>Presses of Shift, Ctrl, Alt and the like.</extracomment>
        <translation>teclas modificadoras</translation>
    </message>
    <message>
        <source>app switches</source>
        <translation>cambios de app</translation>
    </message>
    <message>
        <source>Added %1</source>
        <extracomment>Time added to the record by hand; %1 is how much.</extracomment>
        <translation>Añadido: %1</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <extracomment>Time taken off the record by hand; %1 is how much.</extracomment>
        <translation>Quitado: %1</translation>
    </message>
    <message>
        <source>Worked %1</source>
        <translation>Trabajado: %1</translation>
    </message>
    <message>
        <source>at %1</source>
        <extracomment>%1 is a time of day.</extracomment>
        <translation>a las %1</translation>
    </message>
</context>
<context>
    <name>HistoryValues</name>
    <message>
        <source>counting now · since %1</source>
        <extracomment>%1 is the time the running stretch of work began.</extracomment>
        <translation>contando ahora · desde las %1</translation>
    </message>
    <message>
        <source>⌨️ %1 typing</source>
        <extracomment>%1 is the time spent typing.</extracomment>
        <translation>⌨️ %1 con teclado</translation>
    </message>
    <message>
        <source>🖱 %1 mousing</source>
        <extracomment>%1 is the time spent with the mouse.</extracomment>
        <translation>🖱 %1 con ratón</translation>
    </message>
</context>
<context>
    <name>HistoryWindowView</name>
    <message>
        <source>THIS WEEK</source>
        <translation>ESTA SEMANA</translation>
    </message>
    <message>
        <source>STREAK</source>
        <translation>RACHA</translation>
    </message>
    <message>
        <source>BEST DAY</source>
        <translation>MEJOR DÍA</translation>
    </message>
    <message>
        <source>ALL TIME</source>
        <translation>EN TOTAL</translation>
    </message>
    <message>
        <source>Export History…</source>
        <translation>Exportar historial…</translation>
    </message>
    <message>
        <source>Objective by design — nothing here can be edited.</source>
        <translation>Objetivo por diseño — aquí no se puede editar nada.</translation>
    </message>
    <message>
        <source>Export History</source>
        <translation>Exportar historial</translation>
    </message>
</context>
<context>
    <name>HowItWorksView</name>
    <message>
        <source>What counts as work</source>
        <translation>Qué cuenta como trabajo</translation>
    </message>
    <message>
        <source>Any keyboard or mouse input means you&apos;re working, and the clock runs. It never sees what you type — only that you did something.</source>
        <translation>Cualquier uso del teclado o del ratón significa que estás trabajando, y el reloj corre. Nunca ve lo que escribes — solo que hiciste algo.</translation>
    </message>
    <message>
        <source>The 30-second rule</source>
        <translation>La regla de los 30 segundos</translation>
    </message>
    <message>
        <source>Go 30 seconds without touching anything and it pauses. Time counts only up to your last keystroke or click.</source>
        <translation>Pasa 30 segundos sin tocar nada y se pausa. El tiempo solo cuenta hasta tu última pulsación o clic.</translation>
    </message>
    <message>
        <source>The day in numbers</source>
        <translation>El día en números</translation>
    </message>
    <message>
        <source>Tockly also tallies how many keys you press (shown as words — 5 keystrokes ≈ 1 word), clicks and scrolls, your typing-vs-mousing split, and which apps your day went to. All counters, all local: it can&apos;t see what you type, and app names never leave this computer.</source>
        <translation>Tockly también cuenta cuántas teclas pulsas (en palabras — 5 pulsaciones ≈ 1 palabra), clics y desplazamientos, el reparto entre teclado y ratón, y en qué apps se fue tu día. Todo contadores, todo local: no puede ver lo que escribes, y los nombres de las apps nunca salen de este ordenador.</translation>
    </message>
    <message>
        <source>The day score</source>
        <translation>La puntuación del día</translation>
    </message>
    <message>
        <source>Each day gets one combined score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts and nothing is hidden — more work is always a higher score. Today&apos;s sits in the panel card; the full breakdown lives in History.</source>
        <translation>Cada día recibe una puntuación combinada: minutos trabajados + minutos de trabajo concentrado otra vez + palabras ÷ 10 + clics ÷ 25 + desplazamientos ÷ 200. Nada resta y nada se oculta — más trabajo siempre da más puntos. La de hoy está en la tarjeta del panel; el desglose completo, en el historial.</translation>
    </message>
    <message>
        <source>Honest at the edges</source>
        <translation>Honesto hasta el borde</translation>
    </message>
    <message>
        <source>Sessions that cross midnight are split so each day gets its true share. Sleep, dead batteries, crashes and reboots can&apos;t leak phantom hours.</source>
        <translation>Las sesiones que cruzan la medianoche se parten para que cada día reciba su parte real. La suspensión, las baterías agotadas, los cuelgues y los reinicios no cuelan horas fantasma.</translation>
    </message>
    <message>
        <source>Objective by design</source>
        <translation>Objetivo por diseño</translation>
    </message>
    <message>
        <source>No add-time button, no delete, no import. What it counted is what happened.</source>
        <translation>Sin botón para añadir tiempo, sin borrar, sin importar. Lo que contó es lo que pasó.</translation>
    </message>
    <message>
        <source>Private</source>
        <translation>Privado</translation>
    </message>
    <message>
        <source>Your sessions live only on this computer. No account, no analytics, no keylogging.</source>
        <translation>Tus sesiones viven solo en este ordenador. Sin cuenta, sin analíticas, sin registro de teclas.</translation>
    </message>
    <message>
        <source>Crews</source>
        <translation>Equipos</translation>
    </message>
    <message>
        <source>A crew shares exactly three things: your nickname, a random ID, and your daily total. The board resets at midnight.</source>
        <translation>Un equipo comparte exactamente tres cosas: tu apodo, un ID aleatorio y tu total del día. La clasificación se reinicia a medianoche.</translation>
    </message>
    <message>
        <source>Goal &amp; streaks</source>
        <translation>Objetivo y rachas</translation>
    </message>
    <message>
        <source>Pick a daily goal and watch the bar fill. Work on consecutive days to build a streak.</source>
        <translation>Elige un objetivo diario y mira cómo se llena la barra. Trabaja días seguidos para construir una racha.</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Actualizaciones</translation>
    </message>
    <message>
        <source>Tockly tells you when a new version is out; a packaged install updates with your system. &quot;Check for updates…&quot; looks right away.</source>
        <translation>Tockly te avisa cuando sale una versión nueva; una instalación por paquete se actualiza con tu sistema. «Buscar actualizaciones…» lo comprueba al momento.</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>Cómo funciona Tockly</translation>
    </message>
    <message>
        <source>The whole picture — no fine print.</source>
        <translation>Todo el panorama — sin letra pequeña.</translation>
    </message>
    <message>
        <source>Tockly %1 · free software under the GNU GPL v3 or later</source>
        <extracomment>%1 is the version.</extracomment>
        <translation>Tockly %1 · software libre bajo la GNU GPL v3 o posterior</translation>
    </message>
</context>
<context>
    <name>InviteView</name>
    <message>
        <source>You&apos;re invited to a crew! 👑</source>
        <translation>¡Te invitan a un equipo! 👑</translation>
    </message>
    <message>
        <source>Race your friends for today&apos;s crown. Pick a nickname — it&apos;s the only thing they&apos;ll see, along with your daily totals.</source>
        <translation>Compite con tus amigos por la corona de hoy. Elige un apodo — es lo único que verán, junto con tus totales del día.</translation>
    </message>
    <message>
        <source>crew code · %1</source>
        <extracomment>%1 is the crew&apos;s code, such as LUCKY7.</extracomment>
        <translation>código del equipo · %1</translation>
    </message>
    <message>
        <source>Your nickname</source>
        <translation>Tu apodo</translation>
    </message>
    <message>
        <source>Join the crew</source>
        <translation>Unirse al equipo</translation>
    </message>
    <message>
        <source>You&apos;re in! 👑</source>
        <translation>¡Ya estás dentro! 👑</translation>
    </message>
    <message>
        <source>Find your crew&apos;s leaderboard under the little smiley in your panel. Now get working — the crown won&apos;t win itself.</source>
        <translation>La clasificación de tu equipo está bajo la carita sonriente de tu panel. Y ahora, a trabajar — la corona no se gana sola.</translation>
    </message>
    <message>
        <source>Let&apos;s go 🍀</source>
        <translation>¡Vamos! 🍀</translation>
    </message>
</context>
<context>
    <name>LastSevenDays</name>
    <message>
        <source>Last 7 days</source>
        <translation>Últimos 7 días</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Open the full history window</source>
        <translation>Abrir la ventana del historial completo</translation>
    </message>
</context>
<context>
    <name>LeaderboardRow</name>
    <message>
        <source> (you)</source>
        <extracomment>After the person&apos;s own nickname on the board.</extracomment>
        <translation> (tú)</translation>
    </message>
    <message>
        <source>Remove?</source>
        <extracomment>Asks to confirm removing a member from the crew.</extracomment>
        <translation>¿Quitar?</translation>
    </message>
    <message>
        <source>Keep</source>
        <extracomment>Keeps the member in the crew after all.</extracomment>
        <translation>Mantener</translation>
    </message>
    <message>
        <source>Remove %1 from the crew</source>
        <translation>Quitar a %1 del equipo</translation>
    </message>
</context>
<context>
    <name>MacMenuView</name>
    <message>
        <source>How Tockly works</source>
        <translation>Cómo funciona Tockly</translation>
    </message>
    <message>
        <source>Check for updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>New versions are announced; packages update with the system</source>
        <translation>Las versiones nuevas se anuncian; los paquetes se actualizan con el sistema</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>Quits the application.</extracomment>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Quit Tockly</source>
        <translation>Salir de Tockly</translation>
    </message>
</context>
<context>
    <name>OtherComputersModel</name>
    <message>
        <source>today %1</source>
        <extracomment>When another computer last wrote: %1 is a time of today.</extracomment>
        <translation>hoy %1</translation>
    </message>
    <message>
        <source>this computer</source>
        <translation>este ordenador</translation>
    </message>
    <message>
        <source>last wrote %1</source>
        <extracomment>%1 is when: &quot;today 14:05&quot; or a date and time.</extracomment>
        <translation>última escritura %1</translation>
    </message>
    <message>
        <source>nothing written yet</source>
        <translation>aún no ha escrito nada</translation>
    </message>
    <message>
        <source>its folder is gone</source>
        <translation>su carpeta ya no está</translation>
    </message>
    <message>
        <source>Only a folder on this computer can be used</source>
        <translation>Solo sirve una carpeta de este ordenador</translation>
    </message>
</context>
<context>
    <name>OtherComputersView</name>
    <message>
        <source>Other computers 💻</source>
        <translation>Otros ordenadores 💻</translation>
    </message>
    <message>
        <source>Your day, added up across every computer you use, through a folder you already keep in step between them (Syncthing, a network home…). Each computer writes only its own folder there; time on two at once counts once.</source>
        <translation>Tu día, sumado entre todos los ordenadores que usas, mediante una carpeta que ya mantienes sincronizada entre ellos (Syncthing, una carpeta personal en red…). Cada ordenador escribe solo en su propia carpeta; el tiempo en dos a la vez cuenta una vez.</translation>
    </message>
    <message>
        <source>Synced folder</source>
        <translation>Carpeta sincronizada</translation>
    </message>
    <message>
        <source>Not syncing</source>
        <translation>Sin sincronizar</translation>
    </message>
    <message>
        <source>Choose another…</source>
        <translation>Elegir otra…</translation>
    </message>
    <message>
        <source>Choose folder…</source>
        <translation>Elegir carpeta…</translation>
    </message>
    <message>
        <source>Stop syncing</source>
        <translation>Dejar de sincronizar</translation>
    </message>
    <message>
        <source>COMPUTERS</source>
        <translation>ORDENADORES</translation>
    </message>
    <message>
        <source>Choose the synced folder</source>
        <translation>Elegir la carpeta sincronizada</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Day</source>
        <extracomment>Report row labels follow; each is printed with its value after it, aligned.</extracomment>
        <translation>Día</translation>
    </message>
    <message>
        <source>Worked</source>
        <extracomment>Report row: the worked time of the day.</extracomment>
        <translation>Trabajado</translation>
    </message>
    <message>
        <source>Computers</source>
        <translation>Ordenadores</translation>
    </message>
    <message>
        <source>First input</source>
        <translation>Primera entrada</translation>
    </message>
    <message>
        <source>Last input</source>
        <translation>Última entrada</translation>
    </message>
    <message>
        <source>Longest stretch</source>
        <translation>Tramo más largo</translation>
    </message>
    <message>
        <source>Deep work</source>
        <translation>Trabajo concentrado</translation>
    </message>
    <message>
        <source>Breaks</source>
        <translation>Descansos</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntuación</translation>
    </message>
    <message>
        <source>Words</source>
        <extracomment>Report row: the words typed (keys divided by five).</extracomment>
        <translation>Palabras</translation>
    </message>
    <message>
        <source>Typing pace</source>
        <translation>Ritmo de escritura</translation>
    </message>
    <message>
        <source>%1 words/min</source>
        <translation>%1 palabras/min</translation>
    </message>
    <message>
        <source>Busiest hour</source>
        <translation>Hora más activa</translation>
    </message>
    <message numerus="yes">
        <source>%1:00 (%2 keys)</source>
        <extracomment>%1 is the hour (09), %2 the number of keys pressed in it.</extracomment>
        <translation>
            <numerusform>%1:00 (%2 tecla)</numerusform>
            <numerusform>%1:00 (%2 teclas)</numerusform>
        </translation>
    </message>
    <message>
        <source>Top apps</source>
        <translation>Apps principales</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Últimos 7 días</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>Desde el principio</translation>
    </message>
    <message>
        <source>Best day</source>
        <translation>Mejor día</translation>
    </message>
    <message>
        <source>Streak</source>
        <extracomment>Report row: how many days in a row the goal was reached.</extracomment>
        <translation>Racha</translation>
    </message>
    <message>
        <source>Goal</source>
        <extracomment>Report row value: no daily goal is set.</extracomment>
        <translation>Objetivo</translation>
    </message>
    <message>
        <source>reached</source>
        <translation>alcanzado</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desactivado</translation>
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
        <translation>Muestra el tiempo trabajado de un día, su ritmo, puntuación, palabras, ritmo de escritura,
hora más activa y apps principales, y los récords (últimos 7 días, desde el principio, mejor
día, racha) con el objetivo. Lee la carpeta de datos sin cambiarla, así que puede usarse
mientras Tockly está abierto; un tramo que se está contando ahora cuenta hasta ahora. Si el
registro se sincroniza entre ordenadores (tockly sync), las cifras son las del día en todos
ellos, y se muestra el tiempo de cada ordenador.</translation>
    </message>
    <message>
        <source>The day to report (default: today).</source>
        <translation>El día del informe (por defecto: hoy).</translation>
    </message>
    <message>
        <source>Print JSON: instants as seconds since 2001-01-01 UTC, days as yyyy-MM-dd, absent values as null.</source>
        <translation>Mostrar JSON: instantes como segundos desde 2001-01-01 UTC, días como yyyy-MM-dd, valores ausentes como null.</translation>
    </message>
    <message>
        <source>--day needs a real date written yyyy-MM-dd, not &quot;%1&quot;</source>
        <translation>--day necesita una fecha real escrita yyyy-MM-dd, no «%1»</translation>
    </message>
    <message>
        <source>not a readable folder, counted as empty</source>
        <translation>no es una carpeta legible, se cuenta como vacía</translation>
    </message>
    <message>
        <source>unreadable, counted as empty</source>
        <translation>ilegible, se cuenta como vacío</translation>
    </message>
</context>
<context>
    <name>SettingsBox</name>
    <message>
        <source>Daily goal</source>
        <translation>Objetivo diario</translation>
    </message>
    <message>
        <source>Start when I log in</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
</context>
<context>
    <name>ShellExtensionOffer</name>
    <message>
        <source>Show Tockly in the top bar?</source>
        <translation>¿Mostrar Tockly en la barra superior?</translation>
    </message>
    <message>
        <source>GNOME shows Tockly&apos;s time in the top bar, and tells it which app you work in, only through Tockly&apos;s Shell extension. It is installed and waits to be enabled.</source>
        <translation>GNOME solo muestra el tiempo de Tockly en la barra superior, y solo le dice en qué app trabajas, a través de la extensión de Shell de Tockly. Está instalada y espera a que la actives.</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activar</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Auto-tracking is off</source>
        <translation>Sin registro automático</translation>
    </message>
    <message>
        <source>Counting — you&apos;re active</source>
        <translation>Contando — estás en marcha</translation>
    </message>
    <message>
        <source>Paused — you stepped away</source>
        <translation>En pausa — te has alejado</translation>
    </message>
    <message>
        <source>Watching for activity…</source>
        <translation>Esperando actividad…</translation>
    </message>
</context>
<context>
    <name>StatusCommand</name>
    <message>
        <source>not running</source>
        <translation>no está abierto</translation>
    </message>
    <message>
        <source>Prints the running Tockly&apos;s title and status, for panels without tray labels.</source>
        <translation>Muestra el título y el estado del Tockly abierto, para paneles sin etiquetas en la bandeja.</translation>
    </message>
    <message>
        <source>Print every change.</source>
        <translation>Mostrar cada cambio.</translation>
    </message>
    <message>
        <source>One JSON object a line (text, tooltip, class) for panel modules.</source>
        <translation>Un objeto JSON por línea (text, tooltip, class) para módulos de panel.</translation>
    </message>
    <message>
        <source>no session bus</source>
        <translation>no hay bus de sesión</translation>
    </message>
</context>
<context>
    <name>TodayBlock</name>
    <message>
        <source>TODAY</source>
        <extracomment>Over today&apos;s worked time on the card, in capitals.</extracomment>
        <translation>HOY</translation>
    </message>
    <message>
        <source>Today&apos;s score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. The breakdown lives in History.</source>
        <translation>Puntuación de hoy: minutos trabajados + minutos de trabajo concentrado otra vez + palabras ÷ 10 + clics ÷ 25 + desplazamientos ÷ 200. El desglose está en el historial.</translation>
    </message>
    <message>
        <source>⌨️ %1 words/min</source>
        <extracomment>%1 is the typing pace, words a minute.</extracomment>
        <translation>⌨️ %1 palabras/min</translation>
    </message>
    <message>
        <source>Your typing pace today: words (5 keystrokes each) per minute spent typing — Tockly never sees what you type</source>
        <translation>Tu ritmo de escritura hoy: palabras (5 pulsaciones cada una) por minuto escribiendo — Tockly nunca ve lo que escribes</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Download</source>
        <extracomment>Notification button that opens the new version&apos;s download page.</extracomment>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Tockly %1 is available</source>
        <translation>Tockly %1 ya está disponible</translation>
    </message>
    <message>
        <source>You have %1. Open the download page to get the new version.</source>
        <translation>Tienes la %1. Abre la página de descarga para conseguir la nueva versión.</translation>
    </message>
</context>
<context>
    <name>WelcomeView</name>
    <message>
        <source>I live up there — look for the little smiley</source>
        <translation>Vivo ahí arriba — busca la carita sonriente</translation>
    </message>
    <message>
        <source>Welcome to Tockly</source>
        <translation>Te doy la bienvenida a Tockly</translation>
    </message>
    <message>
        <source>While you type or move your mouse, I quietly count your work time. Step away, and I pause — honest totals, kept entirely on your computer.</source>
        <translation>Mientras escribes o mueves el ratón, cuento en silencio tu tiempo de trabajo. Te alejas y hago una pausa — totales honestos, guardados solo en tu ordenador.</translation>
    </message>
    <message>
        <source>Tip: my menu has a daily goal, history, and a “start at login” switch.</source>
        <translation>Consejo: mi menú tiene un objetivo diario, el historial y un interruptor «Abrir al iniciar sesión».</translation>
    </message>
    <message>
        <source>Let&apos;s go 🍀</source>
        <translation>¡Vamos! 🍀</translation>
    </message>
</context>
<context>
    <name>WindowSlots</name>
    <message>
        <source>Welcome</source>
        <translation>Bienvenida</translation>
    </message>
    <message>
        <source>How Tockly works</source>
        <translation>Cómo funciona Tockly</translation>
    </message>
    <message>
        <source>Tockly — History</source>
        <translation>Tockly — Historial</translation>
    </message>
    <message>
        <source>Other computers</source>
        <translation>Otros ordenadores</translation>
    </message>
    <message>
        <source>Crew Invite</source>
        <translation>Invitación al equipo</translation>
    </message>
</context>
</TS>
