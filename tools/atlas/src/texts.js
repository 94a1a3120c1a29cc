'use strict';
// The 34 interface texts in the nine languages (sv, en, fr, de, es, it, da, nl, pt-BR).
// 9 is put before an asked name; 10 after a place name; 13 and 14 around a
// country name; 27..33 are the page names, short enough for the menu's page
// list (a name that is still too wide is drawn smaller there).
const TEXTS = {
  1: ['S T A R T A', 'S T A R T', 'J O U E R', 'S T A R T', 'E M P E Z A R', 'I N I Z I A', 'S T A R T', 'S T A R T', 'I N I C I A R'],
  2: ['T O P P L I S T A N', 'T O P   L I S T', 'P A L M A R È S', 'B E S T E N L I S T E', 'R É C O R D S', 'C L A S S I F I C A', 'T O P L I S T E N', 'T O P L I J S T', 'R A N K I N G'],
  3: ['A V S L U T A', 'Q U I T', 'Q U I T T E R', 'B E E N D E N', 'S A L I R', 'E S C I', 'A F S L U T', 'S T O P P E N', 'S A I R'],
  4: ['Inställningar', 'Settings', 'Réglages', 'Einstellungen', 'Ajustes', 'Impostazioni', 'Indstillinger', 'Instellingen', 'Configurações'],
  5: ['O M   L A N D O R A', 'A B O U T', 'À   P R O P O S', 'Ü B E R', 'A C E R C A   D E', 'I N F O', 'O M', 'O V E R', 'S O B R E'],
  6: ['Språk', 'Language', 'Langue', 'Sprache', 'Idioma', 'Lingua', 'Sprog', 'Taal', 'Idioma'],
  7: ['Musik', 'Music', 'Musique', 'Musik', 'Música', 'Musica', 'Musik', 'Muziek', 'Música'],
  8: ['Topplistan', 'Top list', 'Palmarès', 'Bestenliste', 'Récords', 'Classifica', 'Toplisten', 'Toplijst', 'Ranking'],
  9: ['Klicka på', 'Click on', 'Cliquez sur', 'Klicke auf', 'Haz clic en', 'Fai clic su', 'Klik på', 'Klik op', 'Clique em'],
  10: ['ligger i vilket land?', 'is in which country?', 'se trouve dans quel pays ?', 'liegt in welchem Land?', '– ¿en qué país está?', 'si trova in quale paese?', 'ligger i hvilket land?', 'ligt in welk land?', 'fica em qual país?'],
  11: ['Tio-i-topp', 'Top ten', 'Meilleurs scores', 'Top Ten', 'Los diez mejores', 'I primi dieci', 'Top ti', 'Top tien', 'Os dez melhores'],
  12: ['Avsluta', 'Quit', 'Quitter', 'Beenden', 'Salir', 'Esci', 'Afslut', 'Stoppen', 'Sair'],
  13: ['Välj orten i', 'Choose the place in', 'Quelle ville se trouve dans ce pays :', 'Wähle den Ort in', 'Elige la ciudad de', 'Scegli la città che si trova in', 'Vælg byen i', 'Kies de plaats die in', 'Escolha a cidade que fica em'],
  14: ['bland de fyra svaren', 'from the four answers', '?', 'aus', 'entre las cuatro respuestas', 'tra le quattro risposte', 'blandt de fire svar', 'ligt', 'entre as quatro respostas'],
  15: ['Rätt', 'Right', 'Juste', 'Richtig', 'Correcto', 'Giusto', 'Rigtigt', 'Goed', 'Certo'],
  16: ['Fel', 'Wrong', 'Faux', 'Falsch', 'Incorrecto', 'Sbagliato', 'Forkert', 'Fout', 'Errado'],
  17: ['Landora', 'Landora', 'Landora', 'Landora', 'Landora', 'Landora', 'Landora', 'Landora', 'Landora'],
  18: ['H J Ä L P', 'H E L P', 'A I D E', 'H I L F E', 'A Y U D A', 'A I U T O', 'H J Æ L P', 'H U L P', 'A J U D A'],
  19: ['Tid', 'Time', 'Temps', 'Zeit', 'Tiempo', 'Tempo', 'Tid', 'Tijd', 'Tempo'],
  20: ['Resultat', 'Score', 'Score', 'Ergebnis', 'Puntuación', 'Punteggio', 'Resultat', 'Score', 'Pontuação'],
  21: ['Övning', 'Exercise', 'Exercice', 'Übung', 'Ejercicio', 'Esercizio', 'Øvelse', 'Oefening', 'Exercício'],
  22: ['Namn', 'Name', 'Nom', 'Name', 'Nombre', 'Nome', 'Navn', 'Naam', 'Nome'],
  23: ['Starta om', 'Restart', 'Rejouer', 'Neu starten', 'Reiniciar', 'Ricomincia', 'Start forfra', 'Opnieuw', 'Recomeçar'],
  24: ['Ljudeffekter', 'Sound effects', 'Effets sonores', 'Soundeffekte', 'Efectos de sonido', 'Effetti sonori', 'Lydeffekter', 'Geluidseffecten', 'Efeitos sonoros'],
  25: ['Välj en världsdel och en övning, och klicka sedan på START.', 'Choose a continent and an exercise, then click START.', 'Choisissez un continent et un exercice, puis cliquez sur JOUER.', 'Wähle einen Kontinent und eine Übung und klicke dann auf START.', 'Elige un continente y un ejercicio y haz clic en EMPEZAR.', 'Scegli un continente e un esercizio, poi fai clic su INIZIA.', 'Vælg en verdensdel og en øvelse, og klik så på START.', 'Kies een werelddeel en een oefening en klik dan op START.', 'Escolha um continente e um exercício e clique em INICIAR.'],
  26: ['Signatur', 'Signature', 'Signature', 'Signatur', 'Firma', 'Firma', 'Signatur', 'Handtekening', 'Assinatura'],
  27: ['Europa', 'Europe', 'Europe', 'Europa', 'Europa', 'Europa', 'Europa', 'Europa', 'Europa'],
  28: ['Nordamerika', 'North America', 'Amérique du Nord', 'Nordamerika', 'Norteamérica', 'Nordamerica', 'Nordamerika', 'Noord-Amerika', 'América do Norte'],
  29: ['Sydamerika', 'South America', 'Amérique du Sud', 'Südamerika', 'Sudamérica', 'Sudamerica', 'Sydamerika', 'Zuid-Amerika', 'América do Sul'],
  30: ['Asien', 'Asia', 'Asie', 'Asien', 'Asia', 'Asia', 'Asien', 'Azië', 'Ásia'],
  31: ['Afrika', 'Africa', 'Afrique', 'Afrika', 'África', 'Africa', 'Afrika', 'Afrika', 'África'],
  32: ['Oceanien', 'Oceania', 'Océanie', 'Ozeanien', 'Oceanía', 'Oceania', 'Oceanien', 'Oceanië', 'Oceania'],
  33: ['Hela världen', 'Whole world', 'Monde entier', 'Die ganze Welt', 'Mundo entero', 'Il mondo intero', 'Hele verden', 'De hele wereld', 'Mundo inteiro'],
  34: ['Version', 'Version', 'Version', 'Version', 'Versión', 'Versione', 'Version', 'Versie', 'Versão'],
};
module.exports = { TEXTS };
