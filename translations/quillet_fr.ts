<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AboutBox</name>
    <message>
        <source>Quillet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chat on your own LAN.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homepage: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quillet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditMenu</name>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameNotice</name>
    <message>
        <source>You left this game. Propose a new one to play again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has left the network: this game cannot go on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has stopped playing this game: it is over unless %1 plays again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This game is not on at this station: a move here would reach no one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Leave the game</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameStatus</name>
    <message>
        <source>Black To Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White To Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black Won!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White Won!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tie!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow To Play!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow to Play!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red to Play!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow Won!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red Won!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <source>Ends this game here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Visit the Author&apos;s Homepage...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Quillet...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillet&apos;s home page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No web browser could be started. The home page is at

%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Another station on this network uses the name %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work room</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tea room</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rooms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work room log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tea room log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click a name to write to that user; right-click it for games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chat line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter sends it to the room shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your availability</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the &amp;Othello game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the &amp;Puissance 4 game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Leave the Othello game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave the Puissance &amp;4 game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send a message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Propose a game of Othello</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Propose a game of Puissance 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Others see your name as %1: set USERNAME to a name in Latin letters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work room: 1 new line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work room: %1 new lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tea room: 1 new line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tea room: %1 new lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 new message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 new messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected users: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 proposes a game of Othello</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 proposes a game of Puissance 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to see it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 accepted Othello, but your game is on: propose again after it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 accepted Puissance 4, but your game is on: propose again after it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 more)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has declined your offer...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nobody hears you: check the network and that UDP port %1 is open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nobody hears you: %1. Check the cable or Wi-Fi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No other station heard on this network yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Othello proposed to %1, waiting for an answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puissance 4 proposed to %1, waiting for an answer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageWindow</name>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Respond</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Othello</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puissance 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your message to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your answer to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message from: %1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 more not shown)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OthelloWindow</name>
    <message>
        <source>Othello Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow keys move over the board; Enter or Space plays here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%2, %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>white</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProposalWindow</name>
    <message>
        <source>Othello</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puissance 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Othello game proposal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puissance 4 game proposal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proposal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 would like to play an Othello game with you...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 would like to play a Puissance 4 game with you...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are already playing %1 with %2. Finish or leave that game first (Tools menu), then Accept again, or Decline.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Puissance4Window</name>
    <message>
        <source>Puissance 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left and right choose a column, Enter or Space drops into it; 1 to 7 drop into that column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Column %1, row %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReadmeWindow</name>
    <message>
        <source>Not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillet Read-me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find in the read-me</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Station</name>
    <message>
        <source>Sent from %1; no station of that name has been heard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent from %1; %2&apos;s station is heard from %3.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>&amp;Systray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TurnMarker</name>
    <message>
        <source>Turn marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stands over the name of the colour to move</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Warning</name>
    <message>
        <source>Warning!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The charachter § is not allowed!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>quillet: no display could be opened for the window; quillet say, who, listen and message work without a display.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillet cannot listen on UDP port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
