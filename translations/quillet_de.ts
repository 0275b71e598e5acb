<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutBox</name>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Chat on your own LAN.</source>
        <translation>Chatten im eigenen LAN.</translation>
    </message>
    <message>
        <source>Homepage: %1</source>
        <translation>Homepage: %1</translation>
    </message>
    <message>
        <source>About Quillet</source>
        <translation>Über Quillet</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>EditMenu</name>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles aus&amp;wählen</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
</context>
<context>
    <name>GameNotice</name>
    <message>
        <source>You left this game. Propose a new one to play again.</source>
        <translation>Sie haben diese Partie verlassen. Schlagen Sie eine neue vor, um wieder zu spielen.</translation>
    </message>
    <message>
        <source>%1 has left the network: this game cannot go on.</source>
        <translation>%1 hat das Netz verlassen: Diese Partie kann nicht weitergehen.</translation>
    </message>
    <message>
        <source>%1&apos;s board no longer follows this one: this game cannot go on.</source>
        <translation>Das Brett von %1 folgt nicht mehr auf dieses: Diese Partie kann nicht weitergehen.</translation>
    </message>
    <message>
        <source>&amp;Leave the game</source>
        <translation>Partie &amp;verlassen</translation>
    </message>
    <message>
        <source>%1&apos;s station has stopped sending this game.</source>
        <translation>Die Station von %1 sendet diese Partie nicht mehr.</translation>
    </message>
</context>
<context>
    <name>GameStatus</name>
    <message>
        <source>Black To Play</source>
        <translation>Schwarz am Zug</translation>
    </message>
    <message>
        <source>White To Play</source>
        <translation>Weiß am Zug</translation>
    </message>
    <message>
        <source>Black Won!</source>
        <translation>Schwarz gewinnt!</translation>
    </message>
    <message>
        <source>White Won!</source>
        <translation>Weiß gewinnt!</translation>
    </message>
    <message>
        <source>Tie!</source>
        <translation>Unentschieden!</translation>
    </message>
    <message>
        <source>Yellow To Play!</source>
        <translation>Gelb am Zug!</translation>
    </message>
    <message>
        <source>Yellow to Play!</source>
        <translation>Gelb am Zug!</translation>
    </message>
    <message>
        <source>Red to Play!</source>
        <translation>Rot am Zug!</translation>
    </message>
    <message>
        <source>Yellow Won!</source>
        <translation>Gelb gewinnt!</translation>
    </message>
    <message>
        <source>Red Won!</source>
        <translation>Rot gewinnt!</translation>
    </message>
    <message>
        <source>Draw!</source>
        <translation>Unentschieden!</translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <source>Ends this game here</source>
        <translation>Beendet diese Partie hier</translation>
    </message>
    <message>
        <source>%1 ?</source>
        <translation>%1?</translation>
    </message>
</context>
<context>
    <name>GameWindows</name>
    <message>
        <source>Show the &amp;Othello game</source>
        <translation>Partie &amp;Othello anzeigen</translation>
    </message>
    <message>
        <source>&amp;Leave the Othello game</source>
        <translation>Partie Othello &amp;verlassen</translation>
    </message>
    <message>
        <source>Propose a game of Othello</source>
        <translation>Partie Othello vorschlagen</translation>
    </message>
    <message>
        <source>%1 proposes a game of Othello</source>
        <translation>%1 schlägt eine Partie Othello vor</translation>
    </message>
    <message>
        <source>Othello proposed to %1, waiting for an answer</source>
        <translation>Othello an %1 vorgeschlagen, Antwort steht aus</translation>
    </message>
    <message>
        <source>%1 accepted Othello, but your game is on: propose again after it</source>
        <translation>%1 hat Othello angenommen, aber Ihre Partie läuft noch: Danach erneut vorschlagen</translation>
    </message>
    <message>
        <source>Show the &amp;Puissance 4 game</source>
        <translation>Partie &amp;Puissance 4 anzeigen</translation>
    </message>
    <message>
        <source>Leave the Puissance &amp;4 game</source>
        <translation>Partie Puissance &amp;4 verlassen</translation>
    </message>
    <message>
        <source>Propose a game of Puissance 4</source>
        <translation>Partie Puissance 4 vorschlagen</translation>
    </message>
    <message>
        <source>%1 proposes a game of Puissance 4</source>
        <translation>%1 schlägt eine Partie Puissance 4 vor</translation>
    </message>
    <message>
        <source>Puissance 4 proposed to %1, waiting for an answer</source>
        <translation>Puissance 4 an %1 vorgeschlagen, Antwort steht aus</translation>
    </message>
    <message>
        <source>%1 accepted Puissance 4, but your game is on: propose again after it</source>
        <translation>%1 hat Puissance 4 angenommen, aber Ihre Partie läuft noch: Danach erneut vorschlagen</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Visit the Author&apos;s Homepage...</source>
        <translation>&amp;Homepage des Autors besuchen...</translation>
    </message>
    <message>
        <source>&amp;About Quillet...</source>
        <translation>&amp;Über Quillet...</translation>
    </message>
    <message>
        <source>Quillet&apos;s home page</source>
        <translation>Homepage von Quillet</translation>
    </message>
    <message>
        <source>No web browser could be started. The home page is at

%1</source>
        <translation>Es konnte kein Webbrowser gestartet werden. Die Homepage finden Sie unter

%1</translation>
    </message>
</context>
<context>
    <name>LogActions</name>
    <message>
        <source>Find in the room log</source>
        <translation>Im Chatverlauf suchen</translation>
    </message>
    <message>
        <source>Undo Clear log</source>
        <translation>Leeren des Chatverlaufs rückgängig machen</translation>
    </message>
    <message>
        <source>%1 %2.txt</source>
        <translation>%1 %2.txt</translation>
    </message>
    <message>
        <source>Save log as</source>
        <translation>Chatverlauf speichern unter</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The log could not be saved in %1: %2</source>
        <translation>Der Chatverlauf konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
    <message>
        <source>Work room</source>
        <translation>Arbeitsraum</translation>
    </message>
    <message>
        <source>Tea room</source>
        <translation>Teeküche</translation>
    </message>
    <message>
        <source>Rooms</source>
        <translation>Räume</translation>
    </message>
    <message>
        <source>Work room log</source>
        <translation>Verlauf des Arbeitsraums</translation>
    </message>
    <message>
        <source>Tea room log</source>
        <translation>Verlauf der Teeküche</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Double-click a name to write to that user; right-click it for games</source>
        <translation>Doppelklick auf einen Namen schreibt diesem Benutzer; Rechtsklick für Spiele</translation>
    </message>
    <message>
        <source>Chat line</source>
        <translation>Chatzeile</translation>
    </message>
    <message>
        <source>Enter sends it to the room shown</source>
        <translation>Die Eingabetaste sendet sie an den angezeigten Raum</translation>
    </message>
    <message>
        <source>Your availability</source>
        <translation>Ihre Erreichbarkeit</translation>
    </message>
    <message>
        <source>Connected users</source>
        <translation>Verbundene Benutzer</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Clear log</source>
        <translation>&amp;Chatverlauf leeren</translation>
    </message>
    <message>
        <source>Send a message</source>
        <translation>Nachricht senden</translation>
    </message>
    <message>
        <source>Available</source>
        <translation>Verfügbar</translation>
    </message>
    <message>
        <source>Not Available</source>
        <translation>Abwesend</translation>
    </message>
    <message>
        <source>Connected users: %1</source>
        <translation>Verbundene Benutzer: %1</translation>
    </message>
    <message>
        <source>Click to see it.</source>
        <translation>Zum Anzeigen klicken.</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Users List</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Save log &amp;as...</source>
        <translation>Chatverlauf speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Withdraw</source>
        <translation>Zurückziehen</translation>
    </message>
    <message>
        <source>Takes back the proposal still waiting for an answer</source>
        <translation>Nimmt den Vorschlag zurück, der noch auf Antwort wartet</translation>
    </message>
    <message>
        <source>&amp;Withdraw the proposal</source>
        <translation>Vorschlag &amp;zurückziehen</translation>
    </message>
</context>
<context>
    <name>MessageWindow</name>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Respond</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Othello</source>
        <translation>Othello</translation>
    </message>
    <message>
        <source>Puissance 4</source>
        <translation>Puissance 4</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Your message</source>
        <translation>Ihre Nachricht</translation>
    </message>
    <message>
        <source>Message received</source>
        <translation>Empfangene Nachricht</translation>
    </message>
    <message>
        <source>Message — %1</source>
        <translation>Nachricht — %1</translation>
    </message>
    <message>
        <source>Your message to %1</source>
        <translation>Ihre Nachricht an %1</translation>
    </message>
    <message>
        <source>Message from %1</source>
        <translation>Nachricht von %1</translation>
    </message>
    <message>
        <source>Your answer to %1</source>
        <translation>Ihre Antwort an %1</translation>
    </message>
    <message>
        <source>Message from: %1 at %2</source>
        <translation>Nachricht von %1 um %2</translation>
    </message>
    <message>
        <source> (%1 more not shown)</source>
        <translation> (%1 weitere nicht angezeigt)</translation>
    </message>
</context>
<context>
    <name>NetworkWindowCaps</name>
    <message>
        <source> (%1 more)</source>
        <translation> (%1 weitere)</translation>
    </message>
</context>
<context>
    <name>NetworkWindows</name>
    <message>
        <source>Message from %1</source>
        <translation>Nachricht von %1</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>%1 has declined your offer...</source>
        <translation>%1 hat Ihr Angebot abgelehnt...</translation>
    </message>
</context>
<context>
    <name>Notes</name>
    <message>
        <source>Sent from %1; no station of that name has been heard.</source>
        <translation>Gesendet von %1; keine Station dieses Namens hat sich gemeldet.</translation>
    </message>
    <message>
        <source>Sent from %1; %2&apos;s station is heard from %3.</source>
        <translation>Gesendet von %1; die Station von %2 meldet sich von %3.</translation>
    </message>
    <message>
        <source>Will arrive as &quot;?&quot;: %1</source>
        <translation>Kommt als „?“ an: %1</translation>
    </message>
</context>
<context>
    <name>OthelloWindow</name>
    <message>
        <source>Othello Table</source>
        <translation>Othello-Tisch</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Black player</source>
        <translation>Spieler Schwarz</translation>
    </message>
    <message>
        <source>White player</source>
        <translation>Spieler Weiß</translation>
    </message>
    <message>
        <source>Black discs</source>
        <translation>Schwarze Steine</translation>
    </message>
    <message>
        <source>White discs</source>
        <translation>Weiße Steine</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielbrett</translation>
    </message>
    <message>
        <source>Arrow keys move over the board; Enter or Space plays here</source>
        <translation>Pfeiltasten bewegen über das Brett; Eingabe- oder Leertaste setzt hier einen Stein</translation>
    </message>
    <message>
        <source>%1%2, %3</source>
        <translation>%1%2, %3</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>black</source>
        <translation>schwarz</translation>
    </message>
    <message>
        <source>white</source>
        <translation>weiß</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Use my full name, %1</source>
        <translation>Meinen vollen Namen verwenden, %1</translation>
    </message>
    <message>
        <source>Play &amp;sounds</source>
        <translation>&amp;Töne abspielen</translation>
    </message>
    <message>
        <source>Show desktop &amp;notifications</source>
        <translation>Desktop-&amp;Benachrichtigungen anzeigen</translation>
    </message>
    <message>
        <source>&amp;Minimise to the tray</source>
        <translation>In den Infobereich &amp;minimieren</translation>
    </message>
    <message>
        <source>This desktop has no tray: a minimised window stays in the task bar</source>
        <translation>Dieser Desktop hat keinen Infobereich: Ein minimiertes Fenster bleibt in der Taskleiste</translation>
    </message>
    <message>
        <source>&amp;Name shown to others:</source>
        <translation>&amp;Name für andere:</translation>
    </message>
    <message>
        <source>USERNAME is set: it names you instead while it is.</source>
        <translation>USERNAME ist gesetzt: Solange es gesetzt ist, gilt dieser Name.</translation>
    </message>
    <message>
        <source>Other stations cannot show these characters: %1</source>
        <translation>Andere Stationen können diese Zeichen nicht anzeigen: %1</translation>
    </message>
</context>
<context>
    <name>ProposalWindow</name>
    <message>
        <source>Othello</source>
        <translation>Othello</translation>
    </message>
    <message>
        <source>Puissance 4</source>
        <translation>Puissance 4</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Annehmen</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Ablehnen</translation>
    </message>
    <message>
        <source>Othello game proposal</source>
        <translation>Vorschlag: Partie Othello</translation>
    </message>
    <message>
        <source>Puissance 4 game proposal</source>
        <translation>Vorschlag: Partie Puissance 4</translation>
    </message>
    <message>
        <source>Proposal</source>
        <translation>Vorschlag</translation>
    </message>
    <message>
        <source>%1 would like to play an Othello game with you...</source>
        <translation>%1 möchte mit Ihnen eine Partie Othello spielen...</translation>
    </message>
    <message>
        <source>%1 would like to play a Puissance 4 game with you...</source>
        <translation>%1 möchte mit Ihnen eine Partie Puissance 4 spielen...</translation>
    </message>
    <message>
        <source>You are already playing %1 with %2. Finish or leave that game first (Tools menu), then Accept again, or Decline.</source>
        <translation>Sie spielen bereits %1 mit %2. Beenden oder verlassen Sie zuerst diese Partie (Menü „Extras“) und nehmen Sie dann erneut an, oder lehnen Sie ab.</translation>
    </message>
</context>
<context>
    <name>Puissance4Window</name>
    <message>
        <source>Puissance 4</source>
        <translation>Puissance 4</translation>
    </message>
    <message>
        <source>Left and right choose a column, Enter or Space drops into it; 1 to 7 drop into that column</source>
        <translation>Links und Rechts wählen eine Spalte, Eingabe- oder Leertaste wirft dort ein; 1 bis 7 werfen in diese Spalte ein</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Yellow player</source>
        <translation>Spieler Gelb</translation>
    </message>
    <message>
        <source>Red player</source>
        <translation>Spieler Rot</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Column %1, row %2: %3</source>
        <translation>Spalte %1, Reihe %2: %3</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
</context>
<context>
    <name>ReadmeWindow</name>
    <message>
        <source>Quillet Read-me</source>
        <translation>Quillet-Liesmich</translation>
    </message>
    <message>
        <source>Find in the read-me</source>
        <translation>Im Liesmich suchen</translation>
    </message>
</context>
<context>
    <name>StatusNotices</name>
    <message>
        <source>Another station on this network uses the name %1</source>
        <translation>Eine andere Station in diesem Netz nutzt den Namen %1</translation>
    </message>
    <message>
        <source>Nobody hears you: check the network and that UDP port %1 is open</source>
        <translation>Niemand hört Sie: Prüfen Sie das Netzwerk und ob UDP-Port %1 offen ist</translation>
    </message>
    <message>
        <source>Nobody hears you: %1. Check the cable or Wi-Fi</source>
        <translation>Niemand hört Sie: %1. Prüfen Sie Kabel oder WLAN</translation>
    </message>
    <message>
        <source>No other station heard on this network yet</source>
        <translation>Noch hat sich keine andere Station in diesem Netz gemeldet</translation>
    </message>
    <message>
        <source>Others see your name as %1: choose another in Tools &gt; Preferences</source>
        <translation>Andere lesen %1: siehe Extras &gt; Einstellungen</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>&amp;Systray</source>
        <translation>&amp;Infobereich</translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimieren</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>TitleCount</name>
    <message>
        <source>(%1) %2</source>
        <translation>(%1) %2</translation>
    </message>
</context>
<context>
    <name>TurnMarker</name>
    <message>
        <source>Turn marker</source>
        <translation>Zuganzeige</translation>
    </message>
    <message>
        <source>Stands over the name of the colour to move</source>
        <translation>Steht über dem Namen der Farbe am Zug</translation>
    </message>
</context>
<context>
    <name>UnseenCounts</name>
    <message numerus="yes">
        <source>Work room: %n new line(s)</source>
        <translation>
            <numerusform>Arbeitsraum: %n neue Zeile</numerusform>
            <numerusform>Arbeitsraum: %n neue Zeilen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tea room: %n new line(s)</source>
        <translation>
            <numerusform>Teeküche: %n neue Zeile</numerusform>
            <numerusform>Teeküche: %n neue Zeilen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new message(s)</source>
        <translation>
            <numerusform>%n neue Nachricht</numerusform>
            <numerusform>%n neue Nachrichten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UserListModel</name>
    <message>
        <source>Available</source>
        <translation>Verfügbar</translation>
    </message>
    <message>
        <source>Not Available</source>
        <translation>Abwesend</translation>
    </message>
    <message numerus="yes">
        <source>%1 is heard from %2, which speaks for %n names: a bridge from another network, or a computer several people share.</source>
        <translation>
            <numerusform>%1 ist über %2 zu hören, das für %n Namen spricht: eine Brücke aus einem anderen Netz oder ein Rechner, den sich mehrere Personen teilen.</numerusform>
            <numerusform>%1 ist über %2 zu hören, das für %n Namen spricht: eine Brücke aus einem anderen Netz oder ein Rechner, den sich mehrere Personen teilen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Warning</name>
    <message>
        <source>Warning!</source>
        <translation>Warnung!</translation>
    </message>
    <message>
        <source>The charachter § is not allowed!</source>
        <translation>Das Zeichen § ist nicht erlaubt!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>quillet: no display could be opened for the window; quillet say, who, listen and message work without a display.
</source>
        <translation>quillet: Für das Fenster konnte keine Anzeige geöffnet werden; quillet say, who, listen und message funktionieren ohne Anzeige.
</translation>
    </message>
    <message>
        <source>Quillet cannot listen on UDP port %1: %2</source>
        <translation>Quillet kann nicht auf UDP-Port %1 lauschen: %2</translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
</context>
</TS>
