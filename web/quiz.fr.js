/* Le quiz de Tessarion en français : questions et textes pour quiz.js. */
(function (root) {
  'use strict';

  var quiz = {
    texts: {
      check: 'Vérifier mes réponses',
      reset: 'Recommencer',
      right: 'Juste. ',
      wrong: 'Faux. ',
      unanswered: 'Sans réponse. ',
      answerIs: 'La bonne réponse : ',
      scored: 'Tu as obtenu {correct} sur {total}. ',
      perfect: 'Parfait ! Tu ferais un excellent préfet du prétoire.',
      good: 'Bravo, Princeps.',
      fair: 'Pas mal. Le guide d’étude comblera les lacunes.',
      poor: 'Lis le guide d’étude et réessaie.'
    },
    questions: [
      {
        question: 'En 235, l’armée du Rhin assassina Sévère Alexandre. Qui proclama-t-elle empereur, le premier des « empereurs soldats » ?',
        choices: ['Aurélien', 'Maximin le Thrace', 'Dioclétien', 'Gallien'],
        answer: 1,
        explanation: 'Maximin le Thrace, un officier sorti du rang, ne vint jamais à Rome en tant qu’empereur.',
        inGuide: 'Maximin le Thrace'
      },
      {
        question: 'Quel roi perse vainquit et captura l’empereur Valérien en 260 ?',
        choices: ['Ardachîr Ier', 'Narseh', 'Shapur Ier', 'Khosro Ier'],
        answer: 2,
        explanation: 'Shapur Ier, deuxième roi sassanide, fit Valérien prisonnier près d’Édesse ; Valérien mourut en Perse.',
        inGuide: 'Shapur Ier'
      },
      {
        question: 'Qui gouvernait le royaume dissident de Palmyre et s’empara de l’Égypte en 270 ?',
        choices: ['Zénobie', 'Boadicée', 'Hélène', 'Galla Placidia'],
        answer: 0,
        explanation: 'Zénobie, veuve d’Odénat, régnait au nom de son jeune fils jusqu’à sa défaite face à Aurélien en 272.',
        inGuide: 'Zénobie'
      },
      {
        question: 'Quel empereur (270 à 275) mit fin à l’Empire des Gaules et à la puissance de Palmyre, et fut salué comme « restaurateur du monde » ?',
        choices: ['Valérien', 'Philippe', 'Constantin', 'Aurélien'],
        answer: 3,
        explanation: 'Aurélien vainquit Zénobie en 272 et reçut en 274 la reddition du dernier empereur gaulois.',
        inGuide: 'restaurateur du monde'
      },
      {
        question: 'Qu’est-ce qui provoqua l’inflation du IIIe siècle ?',
        choices: [
          'L’or des mines de Dacie inonda les marchés',
          'Les empereurs payaient leurs armées avec des pièces contenant de moins en moins d’argent',
          'Le Sénat émit du papier-monnaie',
          'Les Vandales bloquèrent les navires de blé'
        ],
        answer: 1,
        explanation: 'L’antoninien passa d’environ moitié argent à quelques pour cent, et les prix montèrent fortement.',
        inGuide: 'antoninien'
      },
      {
        question: 'Les troupes romaines quittèrent la Dacie, au nord du Danube, sous Aurélien. En quelle année ?',
        choices: ['106', '410', '271 ou 275 : les sources divergent', '476'],
        answer: 2,
        explanation: 'Trajan conquit la Dacie en 106 ; elle fut abandonnée en 271 ou 275, l’année exacte est discutée.',
        inGuide: '271 ou 275'
      },
      {
        question: 'Qu’était la tétrarchie mise en place par Dioclétien en 293 ?',
        choices: [
          'Le gouvernement de deux empereurs principaux (Augustes) et de deux empereurs adjoints (Césars)',
          'Un conseil de quatre sénateurs qui choisissait l’empereur',
          'Un impôt foncier payé en quatre fois',
          'Les quatre légions qui gardaient Rome'
        ],
        answer: 0,
        explanation: '« Gouvernement à quatre » : chacun des quatre empereurs avait sa cour et son armée près des frontières.',
        inGuide: 'tétrarchie'
      },
      {
        question: 'Où Constantin vainquit-il Maxence en 312, ses soldats combattant sous un signe chrétien ?',
        choices: ['Au Frigidus', 'Aux champs Catalauniques', 'À Andrinople', 'Au pont Milvius'],
        answer: 3,
        explanation: 'Au pont Milvius, aux portes de Rome, le 28 octobre 312.',
        inGuide: 'pont Milvius'
      },
      {
        question: 'Quelle ville Constantin inaugura-t-il en 330 sur le site de Byzance ?',
        choices: ['Ravenne', 'Constantinople', 'Nicomédie', 'Trèves'],
        answer: 1,
        explanation: 'Constantinople, nourrie du blé d’Égypte, resta la capitale de l’empire d’Orient jusqu’en 1453.',
        inGuide: 'Constantinople'
      },
      {
        question: 'Que se passa-t-il à la bataille d’Andrinople en 378 ?',
        choices: [
          'Aetius arrêta Attila',
          'Dioclétien vainquit Carin',
          'Les Goths anéantirent une armée d’Orient et tuèrent l’empereur Valens',
          'Les Vandales prirent la ville'
        ],
        answer: 2,
        explanation: 'Selon Ammien Marcellin, les deux tiers de l’armée de Valens périrent avec lui.',
        inGuide: 'Andrinople'
      },
      {
        question: 'Que fit le traité conclu en 382 par Théodose Ier avec les Goths ?',
        choices: [
          'Il les installa dans l’empire comme alliés (foederati) sous leurs propres chefs',
          'Il les repoussa définitivement au-delà du Danube',
          'Il partagea l’empire entre ses deux fils',
          'Il les obligea à payer tribut à Constantinople'
        ],
        answer: 0,
        explanation: 'Ils gardaient leurs chefs et combattaient pour Rome contre des terres et une solde, un modèle pour le siècle suivant.',
        inGuide: 'foederati'
      },
      {
        question: 'À la mort de Théodose Ier en 395, comment l’empire fut-il gouverné ?',
        choices: [
          'Par le Sénat seul',
          'Par ses fils : Arcadius en Orient et Honorius en Occident',
          'Par une nouvelle tétrarchie de quatre empereurs',
          'Par la garde prétorienne'
        ],
        answer: 1,
        explanation: 'Les deux moitiés ne furent plus jamais gouvernées par un seul empereur.',
        inGuide: 'Arcadius'
      },
      {
        question: 'Qui menait les Goths qui pillèrent Rome en 410 ?',
        choices: ['Genséric', 'Attila', 'Odoacre', 'Alaric'],
        answer: 3,
        explanation: 'Les Goths d’Alaric pillèrent Rome trois jours durant : pour la première fois depuis environ 800 ans, un ennemi étranger avait pris la ville.',
        inGuide: 'Alaric'
      },
      {
        question: 'Pourquoi la prise de Carthage par les Vandales en 439 fut-elle un coup si dur pour l’Occident ?',
        choices: [
          'Carthage était la capitale de l’Occident',
          'L’Afrique était la région la plus riche de l’Occident et nourrissait Rome de son blé',
          'Carthage gardait la frontière du Rhin',
          'L’empereur y fut capturé'
        ],
        answer: 1,
        explanation: 'Genséric enleva à l’Occident ses provinces les plus riches et gagna une flotte qui ravagea la Sicile et l’Italie.',
        inGuide: 'Carthage'
      },
      {
        question: 'Qui déposa en 476 le dernier empereur d’Occident, Romulus Augustule ?',
        choices: ['Odoacre', 'Oreste', 'Ricimer', 'Zénon'],
        answer: 0,
        explanation: 'Odoacre épargna l’enfant, envoya les insignes impériaux à Constantinople et gouverna l’Italie en roi.',
        inGuide: 'Odoacre'
      },
      {
        question: 'Dans le jeu, les légions romaines n’entrent en terre germanique que pour y attaquer des barbares. Sur quel événement repose cette règle ?',
        choices: [
          'La capture de Valérien',
          'La bataille d’Andrinople',
          'La destruction de trois légions dans la forêt de Teutobourg en 9 apr. J.-C.',
          'Le sac de Rome en 455'
        ],
        answer: 2,
        explanation: 'Après la perte de trois légions par Varus face à Arminius, Rome renonça à créer une province au-delà du Rhin.',
        inGuide: 'Teutobourg'
      }
    ]
  };

  if (typeof module !== 'undefined' && module.exports) {
    module.exports = quiz;
  } else {
    root.TessarionQuiz.languages.fr = quiz;
  }
})(typeof window !== 'undefined' ? window : this);
