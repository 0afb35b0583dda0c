/* Il quiz di Tessarion in italiano: domande e testi per quiz.js. */
(function (root) {
  'use strict';

  var quiz = {
    texts: {
      check: 'Controlla le risposte',
      reset: 'Ricomincia',
      right: 'Giusto. ',
      wrong: 'Sbagliato. ',
      unanswered: 'Senza risposta. ',
      answerIs: 'La risposta giusta: ',
      scored: 'Hai totalizzato {correct} su {total}. ',
      perfect: 'Perfetto! Saresti un ottimo prefetto del pretorio.',
      good: 'Ben fatto, Princeps.',
      fair: 'Non male. La guida allo studio colmerà le lacune.',
      poor: 'Leggi la guida allo studio e riprova.'
    },
    questions: [
      {
        question: 'Nel 235 l’esercito del Reno uccise Severo Alessandro. Chi proclamò imperatore, il primo degli «imperatori soldati»?',
        choices: ['Aureliano', 'Massimino il Trace', 'Diocleziano', 'Gallieno'],
        answer: 1,
        explanation: 'Massimino il Trace, un ufficiale salito dai ranghi, da imperatore non mise mai piede a Roma.',
        inGuide: 'Massimino il Trace'
      },
      {
        question: 'Quale re persiano sconfisse e catturò l’imperatore Valeriano nel 260?',
        choices: ['Ardashir I', 'Narsete', 'Shapur I', 'Cosroe I'],
        answer: 2,
        explanation: 'Shapur I, secondo re sasanide, fece prigioniero Valeriano presso Edessa; Valeriano morì in Persia.',
        inGuide: 'Shapur I'
      },
      {
        question: 'Chi governava il regno separatista di Palmira e conquistò l’Egitto nel 270?',
        choices: ['Zenobia', 'Budicca', 'Elena', 'Galla Placidia'],
        answer: 0,
        explanation: 'Zenobia, vedova di Odenato, regnava per il figlio ancora bambino finché Aureliano la sconfisse nel 272.',
        inGuide: 'Zenobia'
      },
      {
        question: 'Quale imperatore (dal 270 al 275) pose fine all’Impero delle Gallie e alla potenza di Palmira e fu acclamato «restauratore del mondo»?',
        choices: ['Valeriano', 'Filippo', 'Costantino', 'Aureliano'],
        answer: 3,
        explanation: 'Aureliano sconfisse Zenobia nel 272 e nel 274 accettò la resa dell’ultimo imperatore gallico.',
        inGuide: 'restauratore del mondo'
      },
      {
        question: 'Che cosa alimentò l’inflazione del III secolo?',
        choices: [
          'L’oro delle miniere della Dacia invase i mercati',
          'Gli imperatori pagavano gli eserciti con monete che contenevano sempre meno argento',
          'Il Senato emise cartamoneta',
          'I Vandali bloccarono le navi del grano'
        ],
        answer: 1,
        explanation: 'L’antoniniano scese da circa metà argento a pochi punti percentuali, e i prezzi salirono molto.',
        inGuide: 'antoniniano'
      },
      {
        question: 'Sotto Aureliano le truppe romane lasciarono la Dacia, a nord del Danubio. In che anno?',
        choices: ['106', '410', '271 o 275: le fonti non concordano', '476'],
        answer: 2,
        explanation: 'Traiano conquistò la Dacia nel 106; fu abbandonata nel 271 o nel 275, l’anno esatto è discusso.',
        inGuide: '271 o 275'
      },
      {
        question: 'Che cos’era la tetrarchia istituita da Diocleziano nel 293?',
        choices: [
          'Il governo di due imperatori maggiori (Augusti) e due minori (Cesari)',
          'Un consiglio di quattro senatori che sceglieva l’imperatore',
          'Un’imposta fondiaria pagata in quattro rate',
          'Le quattro legioni che presidiavano Roma'
        ],
        answer: 0,
        explanation: '«Governo di quattro»: ciascuno dei quattro imperatori aveva la propria corte e il proprio esercito vicino ai confini.',
        inGuide: 'tetrarchia'
      },
      {
        question: 'Dove Costantino sconfisse Massenzio nel 312, con i soldati che combattevano sotto un segno cristiano?',
        choices: ['Al Frigido', 'Ai Campi Catalaunici', 'Ad Adrianopoli', 'A Ponte Milvio'],
        answer: 3,
        explanation: 'A Ponte Milvio, alle porte di Roma, il 28 ottobre 312.',
        inGuide: 'Ponte Milvio'
      },
      {
        question: 'Quale città Costantino inaugurò nel 330 sul sito di Bisanzio?',
        choices: ['Ravenna', 'Costantinopoli', 'Nicomedia', 'Treviri'],
        answer: 1,
        explanation: 'Costantinopoli, nutrita dal grano egiziano, restò la capitale dell’impero d’Oriente fino al 1453.',
        inGuide: 'Costantinopoli'
      },
      {
        question: 'Che cosa accadde nella battaglia di Adrianopoli del 378?',
        choices: [
          'Ezio fermò Attila',
          'Diocleziano sconfisse Carino',
          'I Goti distrussero un esercito d’Oriente e uccisero l’imperatore Valente',
          'I Vandali conquistarono la città'
        ],
        answer: 2,
        explanation: 'Secondo Ammiano Marcellino, due terzi dell’esercito di Valente morirono con lui.',
        inGuide: 'Adrianopoli'
      },
      {
        question: 'Che cosa stabilì il trattato del 382 tra Teodosio I e i Goti?',
        choices: [
          'Li insediò nell’impero come alleati (foederati) sotto i propri capi',
          'Li ricacciò per sempre oltre il Danubio',
          'Divise l’impero tra i suoi due figli',
          'Li costrinse a pagare un tributo a Costantinopoli'
        ],
        answer: 0,
        explanation: 'Mantennero i propri capi e combatterono per Roma in cambio di terre e paga, un modello per il secolo seguente.',
        inGuide: 'foederati'
      },
      {
        question: 'Alla morte di Teodosio I nel 395, come fu governato l’impero?',
        choices: [
          'Dal solo Senato',
          'Dai suoi figli: Arcadio in Oriente e Onorio in Occidente',
          'Da una nuova tetrarchia di quattro imperatori',
          'Dalla guardia pretoriana'
        ],
        answer: 1,
        explanation: 'Le due metà non furono mai più governate da un solo imperatore.',
        inGuide: 'Arcadio'
      },
      {
        question: 'Chi guidava i Goti che saccheggiarono Roma nel 410?',
        choices: ['Genserico', 'Attila', 'Odoacre', 'Alarico'],
        answer: 3,
        explanation: 'I Goti di Alarico saccheggiarono Roma per tre giorni: per la prima volta in circa 800 anni un nemico straniero aveva preso la città.',
        inGuide: 'Alarico'
      },
      {
        question: 'Perché la conquista vandala di Cartagine nel 439 fu un colpo così duro per l’Occidente?',
        choices: [
          'Cartagine era la capitale dell’Occidente',
          'L’Africa era la regione più ricca dell’Occidente e sfamava Roma con il suo grano',
          'Cartagine difendeva il confine del Reno',
          'Lì fu catturato l’imperatore'
        ],
        answer: 1,
        explanation: 'Genserico tolse all’Occidente le province più ricche e ottenne una flotta che razziò la Sicilia e l’Italia.',
        inGuide: 'Cartagine'
      },
      {
        question: 'Chi depose nel 476 l’ultimo imperatore d’Occidente, Romolo Augustolo?',
        choices: ['Odoacre', 'Oreste', 'Ricimero', 'Zenone'],
        answer: 0,
        explanation: 'Odoacre risparmiò il ragazzo, mandò le insegne imperiali a Costantinopoli e governò l’Italia come re.',
        inGuide: 'Odoacre'
      },
      {
        question: 'Nel gioco le legioni romane entrano in terra germanica solo per attaccarvi i barbari. Su quale evento si basa questa regola?',
        choices: [
          'La cattura di Valeriano',
          'La battaglia di Adrianopoli',
          'La distruzione di tre legioni nella foresta di Teutoburgo nel 9 d.C.',
          'Il sacco di Roma del 455'
        ],
        answer: 2,
        explanation: 'Dopo che Varo ebbe perso tre legioni contro Arminio, Roma rinunciò a una provincia oltre il Reno.',
        inGuide: 'Teutoburgo'
      }
    ]
  };

  if (typeof module !== 'undefined' && module.exports) {
    module.exports = quiz;
  } else {
    root.TessarionQuiz.languages.it = quiz;
  }
})(typeof window !== 'undefined' ? window : this);
