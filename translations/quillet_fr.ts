<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AboutBox</name>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version&#xa0;: %1</translation>
    </message>
    <message>
        <source>Chat on your own LAN.</source>
        <translation>Discutez en réseau local.</translation>
    </message>
    <message>
        <source>Homepage: %1</source>
        <translation>Site web&#xa0;: %1</translation>
    </message>
    <message>
        <source>About Quillet</source>
        <translation>À propos de Quillet</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
</context>
<context>
    <name>EditMenu</name>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Effacer</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Not found</source>
        <translation>Introuvable</translation>
    </message>
</context>
<context>
    <name>GameNotice</name>
    <message>
        <source>You left this game. Propose a new one to play again.</source>
        <translation>Vous avez quitté cette partie. Proposez-en une nouvelle pour rejouer.</translation>
    </message>
    <message>
        <source>%1 has left the network: this game cannot go on.</source>
        <translation>%1 a quitté le réseau&#xa0;: cette partie ne peut pas continuer.</translation>
    </message>
    <message>
        <source>%1&apos;s board no longer follows this one: this game cannot go on.</source>
        <translation>Le plateau de %1 ne suit plus celui-ci&#xa0;: cette partie ne peut pas continuer.</translation>
    </message>
    <message>
        <source>&amp;Leave the game</source>
        <translation>&amp;Quitter la partie</translation>
    </message>
    <message>
        <source>%1&apos;s station has stopped sending this game.</source>
        <translation>Le poste de %1 n&apos;envoie plus cette partie.</translation>
    </message>
</context>
<context>
    <name>GameStatus</name>
    <message>
        <source>Black To Play</source>
        <translation>Aux noirs de jouer</translation>
    </message>
    <message>
        <source>White To Play</source>
        <translation>Aux blancs de jouer</translation>
    </message>
    <message>
        <source>Black Won!</source>
        <translation>Les noirs gagnent&#xa0;!</translation>
    </message>
    <message>
        <source>White Won!</source>
        <translation>Les blancs gagnent&#xa0;!</translation>
    </message>
    <message>
        <source>Tie!</source>
        <translation>Égalité&#xa0;!</translation>
    </message>
    <message>
        <source>Yellow To Play!</source>
        <translation>Aux jaunes de jouer&#xa0;!</translation>
    </message>
    <message>
        <source>Yellow to Play!</source>
        <translation>Aux jaunes de jouer&#xa0;!</translation>
    </message>
    <message>
        <source>Red to Play!</source>
        <translation>Aux rouges de jouer&#xa0;!</translation>
    </message>
    <message>
        <source>Yellow Won!</source>
        <translation>Les jaunes gagnent&#xa0;!</translation>
    </message>
    <message>
        <source>Red Won!</source>
        <translation>Les rouges gagnent&#xa0;!</translation>
    </message>
    <message>
        <source>Draw!</source>
        <translation>Match nul&#xa0;!</translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <source>Ends this game here</source>
        <translation>Met fin à cette partie ici</translation>
    </message>
    <message>
        <source>%1 ?</source>
        <translation>%1&#xa0;?</translation>
    </message>
</context>
<context>
    <name>GameWindows</name>
    <message>
        <source>Show the &amp;Othello game</source>
        <translation>Afficher la partie d&apos;&amp;Othello</translation>
    </message>
    <message>
        <source>&amp;Leave the Othello game</source>
        <translation>&amp;Quitter la partie d&apos;Othello</translation>
    </message>
    <message>
        <source>Propose a game of Othello</source>
        <translation>Proposer une partie d&apos;Othello</translation>
    </message>
    <message>
        <source>%1 proposes a game of Othello</source>
        <translation>%1 propose une partie d&apos;Othello</translation>
    </message>
    <message>
        <source>Othello proposed to %1, waiting for an answer</source>
        <translation>Othello proposé à %1, en attente de réponse</translation>
    </message>
    <message>
        <source>%1 accepted Othello, but your game is on: propose again after it</source>
        <translation>%1 a accepté Othello, mais votre partie est en cours&#xa0;: proposez à nouveau ensuite</translation>
    </message>
    <message>
        <source>Show the &amp;Puissance 4 game</source>
        <translation>Afficher la partie de &amp;Puissance 4</translation>
    </message>
    <message>
        <source>Leave the Puissance &amp;4 game</source>
        <translation>Quitter la partie de Puissance &amp;4</translation>
    </message>
    <message>
        <source>Propose a game of Puissance 4</source>
        <translation>Proposer une partie de Puissance 4</translation>
    </message>
    <message>
        <source>%1 proposes a game of Puissance 4</source>
        <translation>%1 propose une partie de Puissance 4</translation>
    </message>
    <message>
        <source>Puissance 4 proposed to %1, waiting for an answer</source>
        <translation>Puissance 4 proposé à %1, en attente de réponse</translation>
    </message>
    <message>
        <source>%1 accepted Puissance 4, but your game is on: propose again after it</source>
        <translation>%1 a accepté Puissance 4, mais votre partie est en cours&#xa0;: proposez à nouveau ensuite</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>&amp;Visit the Author&apos;s Homepage...</source>
        <translation>&amp;Visiter le site de l&apos;auteur...</translation>
    </message>
    <message>
        <source>&amp;About Quillet...</source>
        <translation>À &amp;propos de Quillet...</translation>
    </message>
    <message>
        <source>Quillet&apos;s home page</source>
        <translation>Site web de Quillet</translation>
    </message>
    <message>
        <source>No web browser could be started. The home page is at

%1</source>
        <translation>Aucun navigateur web n&apos;a pu être lancé. Le site se trouve à l&apos;adresse

%1</translation>
    </message>
</context>
<context>
    <name>LogActions</name>
    <message>
        <source>Find in the room log</source>
        <translation>Rechercher dans l&apos;historique du salon</translation>
    </message>
    <message>
        <source>Undo Clear log</source>
        <translation>Annuler l&apos;effacement de l&apos;historique</translation>
    </message>
    <message>
        <source>%1 %2.txt</source>
        <translation>%1 %2.txt</translation>
    </message>
    <message>
        <source>Save log as</source>
        <translation>Enregistrer l&apos;historique sous</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The log could not be saved in %1: %2</source>
        <translation>L&apos;historique n&apos;a pas pu être enregistré dans %1&#xa0;: %2</translation>
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
        <translation>Salle de travail</translation>
    </message>
    <message>
        <source>Tea room</source>
        <translation>Salon de thé</translation>
    </message>
    <message>
        <source>Rooms</source>
        <translation>Salles</translation>
    </message>
    <message>
        <source>Work room log</source>
        <translation>Historique de la salle de travail</translation>
    </message>
    <message>
        <source>Tea room log</source>
        <translation>Historique du salon de thé</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Utilisateurs</translation>
    </message>
    <message>
        <source>Double-click a name to write to that user; right-click it for games</source>
        <translation>Double-cliquez sur un nom pour écrire à cet utilisateur&#xa0;; clic droit pour les jeux</translation>
    </message>
    <message>
        <source>Chat line</source>
        <translation>Ligne de discussion</translation>
    </message>
    <message>
        <source>Enter sends it to the room shown</source>
        <translation>Entrée l&apos;envoie dans la salle affichée</translation>
    </message>
    <message>
        <source>Your availability</source>
        <translation>Votre disponibilité</translation>
    </message>
    <message>
        <source>Connected users</source>
        <translation>Utilisateurs connectés</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Horloge</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Avis</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Clear log</source>
        <translation>&amp;Effacer l&apos;historique</translation>
    </message>
    <message>
        <source>Send a message</source>
        <translation>Envoyer un message</translation>
    </message>
    <message>
        <source>Available</source>
        <translation>Disponible</translation>
    </message>
    <message>
        <source>Not Available</source>
        <translation>Indisponible</translation>
    </message>
    <message>
        <source>Connected users: %1</source>
        <translation>Utilisateurs connectés&#xa0;: %1</translation>
    </message>
    <message>
        <source>Click to see it.</source>
        <translation>Cliquez pour l&apos;afficher.</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Users List</source>
        <translation>Utilisateurs</translation>
    </message>
    <message>
        <source>Save log &amp;as...</source>
        <translation>Enregistrer l&apos;historique &amp;sous...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Préférences...</translation>
    </message>
    <message>
        <source>Withdraw</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Takes back the proposal still waiting for an answer</source>
        <translation>Reprend la proposition qui attend encore une réponse</translation>
    </message>
    <message>
        <source>&amp;Withdraw the proposal</source>
        <translation>&amp;Retirer la proposition</translation>
    </message>
</context>
<context>
    <name>MessageWindow</name>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Respond</source>
        <translation>Répondre</translation>
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
        <translation>Message</translation>
    </message>
    <message>
        <source>Your message</source>
        <translation>Votre message</translation>
    </message>
    <message>
        <source>Message received</source>
        <translation>Message reçu</translation>
    </message>
    <message>
        <source>Message — %1</source>
        <translation>Message — %1</translation>
    </message>
    <message>
        <source>Your message to %1</source>
        <translation>Votre message à %1</translation>
    </message>
    <message>
        <source>Message from %1</source>
        <translation>Message de %1</translation>
    </message>
    <message>
        <source>Your answer to %1</source>
        <translation>Votre réponse à %1</translation>
    </message>
    <message>
        <source>Message from: %1 at %2</source>
        <translation>Message de %1 à %2</translation>
    </message>
    <message>
        <source> (%1 more not shown)</source>
        <translation> (%1 autres non affichés)</translation>
    </message>
</context>
<context>
    <name>NetworkWindowCaps</name>
    <message>
        <source> (%1 more)</source>
        <translation> (%1 de plus)</translation>
    </message>
</context>
<context>
    <name>NetworkWindows</name>
    <message>
        <source>Message from %1</source>
        <translation>Message de %1</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Refusé</translation>
    </message>
    <message>
        <source>%1 has declined your offer...</source>
        <translation>%1 a refusé votre proposition...</translation>
    </message>
</context>
<context>
    <name>Notes</name>
    <message>
        <source>Sent from %1; no station of that name has been heard.</source>
        <translation>Envoyé depuis %1&#xa0;; aucun poste de ce nom n&apos;a été entendu.</translation>
    </message>
    <message>
        <source>Sent from %1; %2&apos;s station is heard from %3.</source>
        <translation>Envoyé depuis %1&#xa0;; le poste de %2 est entendu depuis %3.</translation>
    </message>
    <message>
        <source>Will arrive as &quot;?&quot;: %1</source>
        <translation>Arrivera comme «&#xa0;?&#xa0;»&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>OthelloWindow</name>
    <message>
        <source>Othello Table</source>
        <translation>Jeu d&apos;Othello</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Black player</source>
        <translation>Joueur noir</translation>
    </message>
    <message>
        <source>White player</source>
        <translation>Joueur blanc</translation>
    </message>
    <message>
        <source>Black discs</source>
        <translation>Pions noirs</translation>
    </message>
    <message>
        <source>White discs</source>
        <translation>Pions blancs</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>Arrow keys move over the board; Enter or Space plays here</source>
        <translation>Les flèches parcourent le plateau&#xa0;; Entrée ou Espace joue ici</translation>
    </message>
    <message>
        <source>%1%2, %3</source>
        <translation>%1%2, %3</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>black</source>
        <translation>pion noir</translation>
    </message>
    <message>
        <source>white</source>
        <translation>pion blanc</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Use my full name, %1</source>
        <translation>Utiliser mon nom complet, %1</translation>
    </message>
    <message>
        <source>Play &amp;sounds</source>
        <translation>Jouer des &amp;sons</translation>
    </message>
    <message>
        <source>Show desktop &amp;notifications</source>
        <translation>Afficher les &amp;notifications du bureau</translation>
    </message>
    <message>
        <source>&amp;Minimise to the tray</source>
        <translation>&amp;Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source>This desktop has no tray: a minimised window stays in the task bar</source>
        <translation>Ce bureau n&apos;a pas de zone de notification&#xa0;: une fenêtre réduite reste dans la barre des tâches</translation>
    </message>
    <message>
        <source>&amp;Name shown to others:</source>
        <translation>&amp;Nom montré aux autres&#xa0;:</translation>
    </message>
    <message>
        <source>USERNAME is set: it names you instead while it is.</source>
        <translation>USERNAME est défini&#xa0;: c&apos;est lui qui vous nomme tant qu&apos;il l&apos;est.</translation>
    </message>
    <message>
        <source>Other stations cannot show these characters: %1</source>
        <translation>Les autres postes ne peuvent pas afficher ces caractères&#xa0;: %1</translation>
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
        <translation>Accepter</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>Refuser</translation>
    </message>
    <message>
        <source>Othello game proposal</source>
        <translation>Proposition de partie d&apos;Othello</translation>
    </message>
    <message>
        <source>Puissance 4 game proposal</source>
        <translation>Proposition de partie de Puissance 4</translation>
    </message>
    <message>
        <source>Proposal</source>
        <translation>Proposition</translation>
    </message>
    <message>
        <source>%1 would like to play an Othello game with you...</source>
        <translation>%1 aimerait jouer une partie d&apos;Othello avec vous...</translation>
    </message>
    <message>
        <source>%1 would like to play a Puissance 4 game with you...</source>
        <translation>%1 aimerait jouer une partie de Puissance 4 avec vous...</translation>
    </message>
    <message>
        <source>You are already playing %1 with %2. Finish or leave that game first (Tools menu), then Accept again, or Decline.</source>
        <translation>Vous jouez déjà à %1 avec %2. Terminez ou quittez d&apos;abord cette partie (menu Outils), puis cliquez à nouveau sur Accepter, ou sur Refuser.</translation>
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
        <translation>Gauche et droite choisissent une colonne, Entrée ou Espace y lâche un pion&#xa0;; 1 à 7 jouent dans cette colonne</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Yellow player</source>
        <translation>Joueur jaune</translation>
    </message>
    <message>
        <source>Red player</source>
        <translation>Joueur rouge</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Column %1, row %2: %3</source>
        <translation>Colonne %1, ligne %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>pion jaune</translation>
    </message>
    <message>
        <source>red</source>
        <translation>pion rouge</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
</context>
<context>
    <name>ReadmeWindow</name>
    <message>
        <source>Quillet Read-me</source>
        <translation>Lisez-moi de Quillet</translation>
    </message>
    <message>
        <source>Find in the read-me</source>
        <translation>Rechercher dans le Lisez-moi</translation>
    </message>
</context>
<context>
    <name>StatusNotices</name>
    <message>
        <source>Another station on this network uses the name %1</source>
        <translation>Un autre poste de ce réseau utilise le nom %1</translation>
    </message>
    <message>
        <source>Nobody hears you: check the network and that UDP port %1 is open</source>
        <translation>Personne ne vous entend&#xa0;: vérifiez le réseau et que le port UDP %1 est ouvert</translation>
    </message>
    <message>
        <source>Nobody hears you: %1. Check the cable or Wi-Fi</source>
        <translation>Personne ne vous entend&#xa0;: %1. Vérifiez le câble ou le Wi-Fi</translation>
    </message>
    <message>
        <source>No other station heard on this network yet</source>
        <translation>Aucun autre poste entendu sur ce réseau pour l&apos;instant</translation>
    </message>
    <message>
        <source>Others see your name as %1: choose another in Tools &gt; Preferences</source>
        <translation>Nom reçu par les autres&#xa0;: %1, voir Outils &gt; Préférences</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>&amp;Systray</source>
        <translation>Zone de &amp;notification</translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>Réd&amp;uire</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
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
        <translation>Indicateur de tour</translation>
    </message>
    <message>
        <source>Stands over the name of the colour to move</source>
        <translation>Se place au-dessus du nom de la couleur qui doit jouer</translation>
    </message>
</context>
<context>
    <name>UnseenCounts</name>
    <message numerus="yes">
        <source>Work room: %n new line(s)</source>
        <translation>
            <numerusform>Salle de travail&#xa0;: %n nouvelle ligne</numerusform>
            <numerusform>Salle de travail&#xa0;: %n nouvelles lignes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tea room: %n new line(s)</source>
        <translation>
            <numerusform>Salon de thé&#xa0;: %n nouvelle ligne</numerusform>
            <numerusform>Salon de thé&#xa0;: %n nouvelles lignes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new message(s)</source>
        <translation>
            <numerusform>%n nouveau message</numerusform>
            <numerusform>%n nouveaux messages</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UserListModel</name>
    <message>
        <source>Available</source>
        <translation>Disponible</translation>
    </message>
    <message>
        <source>Not Available</source>
        <translation>Indisponible</translation>
    </message>
    <message numerus="yes">
        <source>%1 is heard from %2, which speaks for %n names: a bridge from another network, or a computer several people share.</source>
        <translation>
            <numerusform>%1 est entendu depuis %2, qui parle pour %n nom&#xa0;: un pont depuis un autre réseau, ou un ordinateur que plusieurs personnes partagent.</numerusform>
            <numerusform>%1 est entendu depuis %2, qui parle pour %n noms&#xa0;: un pont depuis un autre réseau, ou un ordinateur que plusieurs personnes partagent.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Warning</name>
    <message>
        <source>Warning!</source>
        <translation>Attention&#xa0;!</translation>
    </message>
    <message>
        <source>The charachter § is not allowed!</source>
        <translation>Le caractère § n&apos;est pas autorisé&#xa0;!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>quillet: no display could be opened for the window; quillet say, who, listen and message work without a display.
</source>
        <translation>quillet : aucun écran n&apos;a pu être ouvert pour la fenêtre ; quillet say, who, listen et message fonctionnent sans écran.
</translation>
    </message>
    <message>
        <source>Quillet cannot listen on UDP port %1: %2</source>
        <translation>Quillet ne peut pas écouter sur le port UDP %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
</context>
</TS>
