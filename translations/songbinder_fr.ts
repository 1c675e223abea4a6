<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AboutWindow</name>
    <message>
        <source>Songbinder %1</source>
        <translation>Songbinder %1</translation>
    </message>
    <message>
        <source>About Songbinder</source>
        <translation>À propos de Songbinder</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Auteur&#xa0;:</translation>
    </message>
    <message>
        <source>The Songbinder developers</source>
        <translation>Les développeurs de Songbinder</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AddCommands</name>
    <message>
        <source>File is not in Root Path</source>
        <translation>Le fichier n’est pas dans le chemin racine</translation>
    </message>
</context>
<context>
    <name>Association</name>
    <message>
        <source>Access denied</source>
        <translation>Accès refusé</translation>
    </message>
    <message>
        <source>The disk is full</source>
        <translation>Le disque est plein</translation>
    </message>
    <message>
        <source>The data could not be written</source>
        <translation>Les données n’ont pas pu être écrites</translation>
    </message>
    <message>
        <source>The data could not be read</source>
        <translation>Les données n’ont pas pu être lues</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Erreur %1</translation>
    </message>
    <message>
        <source>Could not write %1
Reason: %2</source>
        <translation>Impossible d’écrire %1
Raison&#xa0;: %2</translation>
    </message>
    <message>
        <source>Songbinder could not be registered as an editor of .m3u files.

%1</source>
        <translation>Songbinder n’a pas pu être enregistré comme éditeur des fichiers .m3u.

%1</translation>
    </message>
    <message>
        <source>Make this program the default app for editing .m3u files?</source>
        <translation>Faire de ce programme l’application par défaut pour modifier les fichiers .m3u&#xa0;?</translation>
    </message>
    <message>
        <source>The file-type store %1 could not be read. It was kept as %2, and a new one was started.</source>
        <translation>Le registre des types de fichiers %1 n’a pas pu être lu. Il a été conservé sous %2 et un nouveau a été créé.</translation>
    </message>
</context>
<context>
    <name>Closing</name>
    <message>
        <source>Save File Before Exiting?</source>
        <translation>Enregistrer le fichier avant de quitter&#xa0;?</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Songbinder</source>
        <translation>Songbinder</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Playlists (*.m3u *.m3u8)|*.m3u;*.m3u8|All Files (*.*)|*.*</source>
        <translation>Listes de lecture (*.m3u *.m3u8)|*.m3u;*.m3u8|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Ouvrir...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Save Current File First?</source>
        <translation>Enregistrer d’abord le fichier actuel&#xa0;?</translation>
    </message>
    <message>
        <source>Save File First?</source>
        <translation>Enregistrer d’abord le fichier&#xa0;?</translation>
    </message>
    <message>
        <source>WARNING: Your playlist&apos;s path is not the same as your root folder. Continue?</source>
        <translation>ATTENTION&#xa0;: le dossier de votre liste de lecture n’est pas votre dossier racine. Continuer&#xa0;?</translation>
    </message>
    <message>
        <source>Overwrite Existing File?</source>
        <translation>Remplacer le fichier existant&#xa0;?</translation>
    </message>
    <message>
        <source>The playlist &quot;%1&quot; cannot be saved.
%2</source>
        <translation>La liste de lecture «&#xa0;%1&#xa0;» ne peut pas être enregistrée.
%2</translation>
    </message>
    <message>
        <source>This playlist was changed by another program after it was opened. Overwrite it?</source>
        <translation>Cette liste de lecture a été modifiée par un autre programme après son ouverture. L’écraser&#xa0;?</translation>
    </message>
</context>
<context>
    <name>FindMovedFiles</name>
    <message>
        <source>Found:</source>
        <translation>Trouvés :</translation>
    </message>
    <message>
        <source>Ambiguous:</source>
        <translation>Ambigus :</translation>
    </message>
    <message>
        <source>Not found:</source>
        <translation>Introuvables :</translation>
    </message>
    <message>
        <source>Outside the root path:</source>
        <translation>Hors du chemin racine :</translation>
    </message>
    <message>
        <source>Already in the playlist:</source>
        <translation>Déjà dans la liste de lecture :</translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>et %Ln autre</numerusform>
            <numerusform>et %Ln autres</numerusform>
        </translation>
    </message>
    <message>
        <source>Found: %1
Ambiguous: %2
Not found: %3
Outside the root path: %4
Already in the playlist: %5</source>
        <translation>Trouvés : %1
Ambigus : %2
Introuvables : %3
Hors du chemin racine : %4
Déjà dans la liste de lecture : %5</translation>
    </message>
    <message numerus="yes">
        <source>Update %Ln Entries?</source>
        <translation>
            <numerusform>Mettre à jour %Ln entrée ?</numerusform>
            <numerusform>Mettre à jour %Ln entrées ?</numerusform>
        </translation>
    </message>
    <message>
        <source>No entry of the playlist is missing.</source>
        <translation>Aucune entrée de la liste de lecture ne manque.</translation>
    </message>
    <message>
        <source>Listing the files in %1: %2 found</source>
        <translation>Liste des fichiers de %1 : %2 trouvés</translation>
    </message>
</context>
<context>
    <name>FolderTreeAdd</name>
    <message>
        <source>unknown error</source>
        <translation>erreur inconnue</translation>
    </message>
    <message numerus="yes">
        <source>%Ln folders could not be read and were skipped. The first was:
%1

Reason: %2</source>
        <translation>
            <numerusform>Un dossier n’a pas pu être lu et a été ignoré&#xa0;:
%1

Raison&#xa0;: %2</numerusform>
            <numerusform>%Ln dossiers n’ont pas pu être lus et ont été ignorés. Le premier était&#xa0;:
%1

Raison&#xa0;: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Adding files from %1… %L2 found, %L3 added</source>
        <translation>Ajout des fichiers de %1… %L2 trouvés, %L3 ajoutés</translation>
    </message>
    <message numerus="yes">
        <source>Add Entire Dir was cancelled. %Ln files were added before it stopped.</source>
        <translation>
            <numerusform>L’ajout du dossier a été annulé. %Ln fichier a été ajouté avant l’arrêt.</numerusform>
            <numerusform>L’ajout du dossier a été annulé. %Ln fichiers ont été ajoutés avant l’arrêt.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GenreName</name>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
</context>
<context>
    <name>InformationRequest</name>
    <message>
        <source>Builds and edits .m3u playlists.</source>
        <translation>Crée et modifie des listes de lecture .m3u.</translation>
    </message>
    <message>
        <source>The playlist to open. Every argument together names one file; quotes are removed.</source>
        <translation>La liste de lecture à ouvrir. Tous les arguments ensemble désignent un seul fichier&#xa0;; les guillemets sont supprimés.</translation>
    </message>
    <message>
        <source>playlist</source>
        <translation>liste</translation>
    </message>
    <message>
        <source>[PLAYLIST.m3u]</source>
        <translation>[LISTE.m3u]</translation>
    </message>
    <message>
        <source>Shows this help and exits.</source>
        <translation>Affiche cette aide et quitte.</translation>
    </message>
    <message>
        <source>Shows the version and exits.</source>
        <translation>Affiche la version et quitte.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Songbinder</source>
        <translation>Songbinder</translation>
    </message>
    <message>
        <source>Drives</source>
        <translation>Lecteurs</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Make Root</source>
        <translation>Racine ici</translation>
    </message>
    <message>
        <source>Add Entire Dir To Playlist</source>
        <translation>Ajouter le dossier</translation>
    </message>
    <message>
        <source>Add Selected Files To Playist</source>
        <translation>Ajouter les fichiers sélectionnés à la liste</translation>
    </message>
    <message>
        <source>Current Playlist</source>
        <translation>Liste de lecture actuelle</translation>
    </message>
    <message>
        <source>Root:</source>
        <translation>Racine&#xa0;:</translation>
    </message>
    <message>
        <source>Root path</source>
        <translation>Chemin racine</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>Clear root</source>
        <translation>Effacer la racine</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Liste de lecture</translation>
    </message>
    <message>
        <source>Remove Selected Items</source>
        <translation>Retirer la sélection</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Ouvrir...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Associate Program</source>
        <translation>Associer le programme</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos de Songbinder</translation>
    </message>
    <message>
        <source>Select All Files</source>
        <translation>Sélectionner tous les fichiers</translation>
    </message>
    <message>
        <source>Songbinder - %1</source>
        <translation>Songbinder - %1</translation>
    </message>
    <message>
        <source>Current Playlist (%1)</source>
        <translation>Liste de lecture actuelle (%1)</translation>
    </message>
    <message>
        <source>Cannot open the folder &quot;%1&quot;: %2</source>
        <translation>Impossible d’ouvrir le dossier «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Édition</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Annuler : %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Rétablir : %1</translation>
    </message>
    <message numerus="yes">
        <source>Current Playlist (%1) - %Ln missing</source>
        <translation>
            <numerusform>Liste de lecture actuelle (%1) - %Ln manquante</numerusform>
            <numerusform>Liste de lecture actuelle (%1) - %Ln manquantes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MissingEntriesCommands</name>
    <message>
        <source>Find Moved Files...</source>
        <translation>Retrouver les fichiers déplacés...</translation>
    </message>
    <message>
        <source>Remove Missing Entries</source>
        <translation>Supprimer les entrées manquantes</translation>
    </message>
    <message>
        <source>Find Moved Files</source>
        <translation>Retrouver les fichiers déplacés</translation>
    </message>
</context>
<context>
    <name>MissingEntriesWork</name>
    <message>
        <source>Looking for the entries&apos; files: %1 of %2</source>
        <translation>Recherche des fichiers des entrées : %1 sur %2</translation>
    </message>
    <message>
        <source>Matching %1 missing entries</source>
        <translation>Rapprochement de %1 entrées manquantes</translation>
    </message>
</context>
<context>
    <name>NativeFileSystem</name>
    <message>
        <source>The file is too large (%1 MB).</source>
        <translation>Le fichier est trop volumineux (%1&#xa0;Mo).</translation>
    </message>
    <message>
        <source>The file is too large.</source>
        <translation>Le fichier est trop volumineux.</translation>
    </message>
</context>
<context>
    <name>PlaylistHistory</name>
    <message numerus="yes">
        <source>Add %Ln Files</source>
        <translation>
            <numerusform>Ajouter %Ln fichier</numerusform>
            <numerusform>Ajouter %Ln fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove %Ln Entries</source>
        <translation>
            <numerusform>Retirer %Ln entrée</numerusform>
            <numerusform>Retirer %Ln entrées</numerusform>
        </translation>
    </message>
    <message>
        <source>Make Root</source>
        <translation>Définir la racine</translation>
    </message>
    <message>
        <source>Clear Root</source>
        <translation>Effacer la racine</translation>
    </message>
    <message>
        <source>Find Moved Files</source>
        <translation>Retrouver les fichiers déplacés</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>Not found: %1</source>
        <translation>Introuvable : %1</translation>
    </message>
</context>
<context>
    <name>PlaylistReader</name>
    <message>
        <source>The first item in this list does not contain a full path. Assuming Root Path is &quot;%1&quot;</source>
        <translation>Le premier élément de cette liste ne contient pas de chemin complet. Le chemin racine est supposé être «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Remove Files That No Longer Exist?</source>
        <translation>Retirer les fichiers qui n’existent plus&#xa0;?</translation>
    </message>
    <message>
        <source>The playlist &quot;%1&quot; cannot be read.
%2</source>
        <translation>La liste de lecture «&#xa0;%1&#xa0;» ne peut pas être lue.
%2</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>Lecture de %1...</translation>
    </message>
    <message>
        <source>Looking for the files of %1: %L2 of %L3</source>
        <translation>Recherche des fichiers de %1 : %L2 sur %L3</translation>
    </message>
    <message>
        <source>Putting the entries of %1 in order...</source>
        <translation>Tri des entrées de %1...</translation>
    </message>
</context>
<context>
    <name>RecentPlaylistsMenu</name>
    <message>
        <source>Open Recent</source>
        <translation>Ouverts récemment</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>Vider la liste</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>Songbinder was closed without saving %1. Restore the unsaved changes?</source>
        <translation>Songbinder a été fermé sans enregistrer %1. Restaurer les modifications non enregistrées&#xa0;?</translation>
    </message>
</context>
<context>
    <name>RemoveMissingEntries</name>
    <message numerus="yes">
        <source>Remove %Ln entries whose files are missing?</source>
        <translation>
            <numerusform>Supprimer %Ln entrée dont le fichier manque ?</numerusform>
            <numerusform>Supprimer %Ln entrées dont les fichiers manquent ?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RootCommands</name>
    <message>
        <source>Not all files are in that path</source>
        <translation>Les fichiers ne sont pas tous dans ce chemin</translation>
    </message>
</context>
<context>
    <name>TagMessage</name>
    <message>
        <source>No ID3 Tag Found</source>
        <translation>Aucune étiquette ID3 trouvée</translation>
    </message>
    <message>
        <source>Title: </source>
        <translation>Titre&#xa0;: </translation>
    </message>
    <message>
        <source>Artist: </source>
        <translation>Artiste&#xa0;: </translation>
    </message>
    <message>
        <source>Album: </source>
        <translation>Album&#xa0;: </translation>
    </message>
    <message>
        <source>Track: </source>
        <translation>Piste&#xa0;: </translation>
    </message>
    <message>
        <source>Year: </source>
        <translation>Année&#xa0;: </translation>
    </message>
    <message>
        <source>Notes: </source>
        <translation>Commentaire&#xa0;: </translation>
    </message>
    <message>
        <source>Genre: </source>
        <translation>Genre&#xa0;: </translation>
    </message>
    <message>
        <source>ID3 Version: </source>
        <translation>Version ID3&#xa0;: </translation>
    </message>
</context>
<context>
    <name>UnstorableNames</name>
    <message numerus="yes">
        <source>%Ln names are not valid UTF-8 text, so a playlist cannot hold them. They were skipped. The first was:
%1</source>
        <translation>
            <numerusform>Ce nom n’est pas un texte UTF-8 valide&#xa0;: une liste de lecture ne peut pas le contenir. Il a été ignoré&#xa0;:
%1</numerusform>
            <numerusform>%Ln noms ne sont pas un texte UTF-8 valide&#xa0;: une liste de lecture ne peut pas les contenir. Ils ont été ignorés. Le premier était&#xa0;:
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln names hold a line break, so a playlist cannot hold them. They were skipped. The first was:
%1</source>
        <translation>
            <numerusform>Ce nom contient un saut de ligne&#xa0;: une liste de lecture ne peut pas le contenir. Il a été ignoré&#xa0;:
%1</numerusform>
            <numerusform>%Ln noms contiennent un saut de ligne&#xa0;: une liste de lecture ne peut pas les contenir. Ils ont été ignorés. Le premier était&#xa0;:
%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WorkStatusBar</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
</TS>
