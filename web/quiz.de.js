/* Das Tessarion-Quiz auf Deutsch: Fragen und Texte für quiz.js. */
(function (root) {
  'use strict';

  var quiz = {
    texts: {
      check: 'Antworten prüfen',
      reset: 'Neu beginnen',
      right: 'Richtig. ',
      wrong: 'Falsch. ',
      unanswered: 'Nicht beantwortet. ',
      answerIs: 'Die richtige Antwort: ',
      scored: 'Du hast {correct} von {total} Punkten. ',
      perfect: 'Perfekt! Du wärst ein vorzüglicher Prätorianerpräfekt.',
      good: 'Gut gemacht, Princeps.',
      fair: 'Nicht schlecht. Die Lernhilfe schließt die Lücken.',
      poor: 'Lies die Lernhilfe und versuche es noch einmal.'
    },
    questions: [
      {
        question: '235 ermordete das Rheinheer Severus Alexander. Wen rief es zum Kaiser aus, den ersten der „Soldatenkaiser“?',
        choices: ['Aurelian', 'Maximinus Thrax', 'Diokletian', 'Gallienus'],
        answer: 1,
        explanation: 'Maximinus Thrax, ein aus dem Mannschaftsstand aufgestiegener Offizier, betrat Rom als Kaiser nie.',
        inGuide: 'Maximinus Thrax'
      },
      {
        question: 'Welcher persische König besiegte 260 Kaiser Valerian und nahm ihn gefangen?',
        choices: ['Ardaschir I.', 'Narseh', 'Schapur I.', 'Chosrau I.'],
        answer: 2,
        explanation: 'Schapur I., der zweite Sasanidenkönig, nahm Valerian bei Edessa gefangen; Valerian starb in Persien.',
        inGuide: 'Schapur I.'
      },
      {
        question: 'Wer regierte das abtrünnige Reich von Palmyra und eroberte 270 Ägypten?',
        choices: ['Zenobia', 'Boudicca', 'Helena', 'Galla Placidia'],
        answer: 0,
        explanation: 'Zenobia, die Witwe des Odaenathus, regierte für ihren jungen Sohn, bis Aurelian sie 272 besiegte.',
        inGuide: 'Zenobia'
      },
      {
        question: 'Welcher Kaiser (270 bis 275) beendete das Gallische Sonderreich und die Macht Palmyras und wurde „Wiederhersteller der Welt“ genannt?',
        choices: ['Valerian', 'Philippus', 'Konstantin', 'Aurelian'],
        answer: 3,
        explanation: 'Aurelian besiegte Zenobia 272 und nahm 274 die Unterwerfung des letzten gallischen Kaisers an.',
        inGuide: 'Wiederhersteller der Welt'
      },
      {
        question: 'Was trieb die Inflation des 3. Jahrhunderts an?',
        choices: [
          'Gold aus den dakischen Minen überschwemmte die Märkte',
          'Die Kaiser bezahlten ihre Heere mit Münzen, die immer weniger Silber enthielten',
          'Der Senat gab Papiergeld aus',
          'Die Vandalen blockierten die Getreideschiffe'
        ],
        answer: 1,
        explanation: 'Der Antoninian sank von etwa der Hälfte Silber auf wenige Prozent, und die Preise stiegen stark.',
        inGuide: 'Antoninian'
      },
      {
        question: 'Unter Aurelian verließen die römischen Truppen Dakien nördlich der Donau. In welchem Jahr?',
        choices: ['106', '410', '271 oder 275: die Quellen sind sich uneinig', '476'],
        answer: 2,
        explanation: 'Trajan eroberte Dakien 106; aufgegeben wurde es 271 oder 275, das genaue Jahr ist umstritten.',
        inGuide: '271 oder 275'
      },
      {
        question: 'Was war die Tetrarchie, die Diokletian 293 einrichtete?',
        choices: [
          'Die Herrschaft zweier Oberkaiser (Augusti) und zweier Unterkaiser (Caesares)',
          'Ein Rat von vier Senatoren, der den Kaiser wählte',
          'Eine Grundsteuer, die in vier Raten gezahlt wurde',
          'Die vier Legionen, die Rom bewachten'
        ],
        answer: 0,
        explanation: '„Viererherrschaft“: Jeder der vier Kaiser hatte seinen eigenen Hof und sein eigenes Heer nahe den Grenzen.',
        inGuide: 'Tetrarchie'
      },
      {
        question: 'Wo besiegte Konstantin 312 Maxentius, während seine Soldaten unter einem christlichen Zeichen kämpften?',
        choices: ['Am Frigidus', 'Auf den Katalaunischen Feldern', 'Bei Adrianopel', 'An der Milvischen Brücke'],
        answer: 3,
        explanation: 'An der Milvischen Brücke, gleich vor Rom, am 28. Oktober 312.',
        inGuide: 'Milvischen Brücke'
      },
      {
        question: 'Welche Stadt weihte Konstantin 330 an der Stelle von Byzantion ein?',
        choices: ['Ravenna', 'Konstantinopel', 'Nikomedia', 'Trier'],
        answer: 1,
        explanation: 'Konstantinopel, mit ägyptischem Getreide versorgt, blieb bis 1453 die Hauptstadt des Ostreichs.',
        inGuide: 'Konstantinopel'
      },
      {
        question: 'Was geschah 378 in der Schlacht von Adrianopel?',
        choices: [
          'Aëtius hielt Attila auf',
          'Diokletian besiegte Carinus',
          'Die Goten vernichteten ein oströmisches Heer und töteten Kaiser Valens',
          'Die Vandalen eroberten die Stadt'
        ],
        answer: 2,
        explanation: 'Nach Ammianus Marcellinus starben zwei Drittel des Heeres mit Valens.',
        inGuide: 'Adrianopel'
      },
      {
        question: 'Was bewirkte der Vertrag, den Theodosius I. 382 mit den Goten schloss?',
        choices: [
          'Er siedelte sie als Verbündete (foederati) unter eigenen Anführern im Reich an',
          'Er trieb sie für immer über die Donau zurück',
          'Er teilte das Reich zwischen seinen beiden Söhnen',
          'Er zwang sie, Konstantinopel Tribut zu zahlen'
        ],
        answer: 0,
        explanation: 'Sie behielten ihre eigenen Anführer und kämpften für Land und Sold für Rom, ein Vorbild für das nächste Jahrhundert.',
        inGuide: 'foederati'
      },
      {
        question: 'Wie wurde das Reich regiert, als Theodosius I. 395 starb?',
        choices: [
          'Vom Senat allein',
          'Von seinen Söhnen: Arcadius im Osten und Honorius im Westen',
          'Von einer neuen Tetrarchie aus vier Kaisern',
          'Von der Prätorianergarde'
        ],
        answer: 1,
        explanation: 'Nie wieder wurden die beiden Hälften von einem einzigen Kaiser regiert.',
        inGuide: 'Arcadius'
      },
      {
        question: 'Wer führte die Goten, die 410 Rom plünderten?',
        choices: ['Geiserich', 'Attila', 'Odoaker', 'Alarich'],
        answer: 3,
        explanation: 'Alarichs Goten plünderten Rom drei Tage lang; zum ersten Mal seit etwa 800 Jahren hatte ein fremder Feind die Stadt genommen.',
        inGuide: 'Alarich'
      },
      {
        question: 'Warum traf der Verlust Karthagos an die Vandalen 439 das Westreich so schwer?',
        choices: [
          'Karthago war die Hauptstadt des Westens',
          'Africa war die reichste Region des Westens und versorgte Rom mit Getreide',
          'Karthago schützte die Rheingrenze',
          'Dort wurde der Kaiser gefangen genommen'
        ],
        answer: 1,
        explanation: 'Geiserich nahm dem Westen seine reichsten Provinzen und gewann eine Flotte, die Sizilien und Italien heimsuchte.',
        inGuide: 'Karthago'
      },
      {
        question: 'Wer setzte 476 den letzten weströmischen Kaiser, Romulus Augustulus, ab?',
        choices: ['Odoaker', 'Orestes', 'Ricimer', 'Zenon'],
        answer: 0,
        explanation: 'Odoaker verschonte den Jungen, schickte die kaiserlichen Insignien nach Konstantinopel und regierte Italien als König.',
        inGuide: 'Odoaker'
      },
      {
        question: 'Im Spiel betreten römische Legionen germanisches Land nur, um dort Barbaren anzugreifen. Auf welchem Ereignis beruht diese Regel?',
        choices: [
          'Der Gefangennahme Valerians',
          'Der Schlacht von Adrianopel',
          'Dem Untergang dreier Legionen im Teutoburger Wald 9 n. Chr.',
          'Der Plünderung Roms 455'
        ],
        answer: 2,
        explanation: 'Nachdem Varus drei Legionen an Arminius verloren hatte, gab Rom seine Pläne für eine Provinz jenseits des Rheins auf.',
        inGuide: 'Teutoburger Wald'
      }
    ]
  };

  if (typeof module !== 'undefined' && module.exports) {
    module.exports = quiz;
  } else {
    root.TessarionQuiz.languages.de = quiz;
  }
})(typeof window !== 'undefined' ? window : this);
