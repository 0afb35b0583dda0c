/* El cuestionario de Tessarion en español: preguntas y textos para quiz.js. */
(function (root) {
  'use strict';

  var quiz = {
    texts: {
      check: 'Comprobar mis respuestas',
      reset: 'Empezar de nuevo',
      right: 'Correcto. ',
      wrong: 'Incorrecto. ',
      unanswered: 'Sin responder. ',
      answerIs: 'La respuesta correcta: ',
      scored: 'Has acertado {correct} de {total}. ',
      perfect: '¡Perfecto! Serías un excelente prefecto del pretorio.',
      good: 'Bien hecho, Princeps.',
      fair: 'No está mal. La guía de estudio llenará los huecos.',
      poor: 'Lee la guía de estudio y vuelve a intentarlo.'
    },
    questions: [
      {
        question: 'En 235 el ejército del Rin asesinó a Alejandro Severo. ¿A quién proclamó emperador, el primero de los «emperadores soldados»?',
        choices: ['Aureliano', 'Maximino el Tracio', 'Diocleciano', 'Galieno'],
        answer: 1,
        explanation: 'Maximino el Tracio, un oficial salido de la tropa, nunca pisó Roma siendo emperador.',
        inGuide: 'Maximino el Tracio'
      },
      {
        question: '¿Qué rey persa derrotó y capturó al emperador Valeriano en 260?',
        choices: ['Ardashir I', 'Narsés', 'Sapor I', 'Cosroes I'],
        answer: 2,
        explanation: 'Sapor I, el segundo rey sasánida, hizo prisionero a Valeriano cerca de Edesa; Valeriano murió en Persia.',
        inGuide: 'Sapor I'
      },
      {
        question: '¿Quién gobernaba el reino rebelde de Palmira y tomó Egipto en 270?',
        choices: ['Zenobia', 'Boudica', 'Helena', 'Gala Placidia'],
        answer: 0,
        explanation: 'Zenobia, viuda de Odenato, gobernó en nombre de su hijo pequeño hasta que Aureliano la derrotó en 272.',
        inGuide: 'Zenobia'
      },
      {
        question: '¿Qué emperador (270 a 275) acabó con el Imperio galo y el poder de Palmira y fue aclamado «restaurador del mundo»?',
        choices: ['Valeriano', 'Filipo', 'Constantino', 'Aureliano'],
        answer: 3,
        explanation: 'Aureliano derrotó a Zenobia en 272 y aceptó en 274 la rendición del último emperador galo.',
        inGuide: 'restaurador del mundo'
      },
      {
        question: '¿Qué impulsó la inflación del siglo III?',
        choices: [
          'El oro de las minas de Dacia inundó los mercados',
          'Los emperadores pagaban a sus ejércitos con monedas que llevaban cada vez menos plata',
          'El Senado emitió papel moneda',
          'Los vándalos bloquearon los barcos de grano'
        ],
        answer: 1,
        explanation: 'El antoniniano pasó de tener cerca de la mitad de plata a unas pocas centésimas, y los precios subieron mucho.',
        inGuide: 'antoniniano'
      },
      {
        question: 'Bajo Aureliano las tropas romanas abandonaron Dacia, al norte del Danubio. ¿En qué año?',
        choices: ['106', '410', '271 o 275: las fuentes no coinciden', '476'],
        answer: 2,
        explanation: 'Trajano conquistó Dacia en 106; se abandonó en 271 o 275, y el año exacto se discute.',
        inGuide: '271 o 275'
      },
      {
        question: '¿Qué fue la tetrarquía que Diocleciano estableció en 293?',
        choices: [
          'El gobierno de dos emperadores principales (augustos) y dos menores (césares)',
          'Un consejo de cuatro senadores que elegía al emperador',
          'Un impuesto sobre la tierra pagado en cuatro plazos',
          'Las cuatro legiones que custodiaban Roma'
        ],
        answer: 0,
        explanation: '«Gobierno de cuatro»: cada uno de los cuatro emperadores tenía su propia corte y su propio ejército cerca de las fronteras.',
        inGuide: 'tetrarquía'
      },
      {
        question: '¿Dónde derrotó Constantino a Majencio en 312, con sus soldados luchando bajo un signo cristiano?',
        choices: ['En el Frígido', 'En los Campos Cataláunicos', 'En Adrianópolis', 'En el puente Milvio'],
        answer: 3,
        explanation: 'En el puente Milvio, a las puertas de Roma, el 28 de octubre de 312.',
        inGuide: 'puente Milvio'
      },
      {
        question: '¿Qué ciudad inauguró Constantino en 330 en el lugar de Bizancio?',
        choices: ['Rávena', 'Constantinopla', 'Nicomedia', 'Tréveris'],
        answer: 1,
        explanation: 'Constantinopla, alimentada con grano egipcio, fue la capital del imperio de Oriente hasta 1453.',
        inGuide: 'Constantinopla'
      },
      {
        question: '¿Qué ocurrió en la batalla de Adrianópolis en 378?',
        choices: [
          'Aecio detuvo a Atila',
          'Diocleciano derrotó a Carino',
          'Los godos destruyeron un ejército de Oriente y mataron al emperador Valente',
          'Los vándalos tomaron la ciudad'
        ],
        answer: 2,
        explanation: 'Según Amiano Marcelino, dos tercios del ejército de Valente murieron con él.',
        inGuide: 'Adrianópolis'
      },
      {
        question: '¿Qué hizo el tratado de 382 entre Teodosio I y los godos?',
        choices: [
          'Los asentó dentro del imperio como aliados (foederati) bajo sus propios jefes',
          'Los expulsó para siempre al otro lado del Danubio',
          'Repartió el imperio entre sus dos hijos',
          'Les obligó a pagar tributo a Constantinopla'
        ],
        answer: 0,
        explanation: 'Conservaron a sus jefes y lucharon por Roma a cambio de tierras y paga, un modelo para el siglo siguiente.',
        inGuide: 'foederati'
      },
      {
        question: 'Cuando Teodosio I murió en 395, ¿cómo se gobernó el imperio?',
        choices: [
          'Solo por el Senado',
          'Por sus hijos: Arcadio en Oriente y Honorio en Occidente',
          'Por una nueva tetrarquía de cuatro emperadores',
          'Por la guardia pretoriana'
        ],
        answer: 1,
        explanation: 'Las dos mitades nunca volvieron a estar gobernadas por un solo emperador.',
        inGuide: 'Arcadio'
      },
      {
        question: '¿Quién dirigía a los godos que saquearon Roma en 410?',
        choices: ['Genserico', 'Atila', 'Odoacro', 'Alarico'],
        answer: 3,
        explanation: 'Los godos de Alarico saquearon Roma durante tres días: por primera vez en unos 800 años un enemigo extranjero tomaba la ciudad.',
        inGuide: 'Alarico'
      },
      {
        question: '¿Por qué la toma de Cartago por los vándalos en 439 fue un golpe tan duro para Occidente?',
        choices: [
          'Cartago era la capital de Occidente',
          'África era la región más rica de Occidente y alimentaba a Roma con su grano',
          'Cartago guardaba la frontera del Rin',
          'Allí fue capturado el emperador'
        ],
        answer: 1,
        explanation: 'Genserico arrebató a Occidente sus provincias más ricas y una flota que saqueó Sicilia e Italia.',
        inGuide: 'Cartago'
      },
      {
        question: '¿Quién depuso en 476 al último emperador de Occidente, Rómulo Augústulo?',
        choices: ['Odoacro', 'Orestes', 'Ricimero', 'Zenón'],
        answer: 0,
        explanation: 'Odoacro perdonó al muchacho, envió las insignias imperiales a Constantinopla y gobernó Italia como rey.',
        inGuide: 'Odoacro'
      },
      {
        question: 'En el juego, las legiones romanas solo entran en tierras germánicas para atacar allí a los bárbaros. ¿En qué hecho se basa esta regla?',
        choices: [
          'La captura de Valeriano',
          'La batalla de Adrianópolis',
          'La destrucción de tres legiones en el bosque de Teutoburgo en el año 9 d. C.',
          'El saqueo de Roma en 455'
        ],
        answer: 2,
        explanation: 'Después de que Varo perdiera tres legiones frente a Arminio, Roma renunció a crear una provincia más allá del Rin.',
        inGuide: 'Teutoburgo'
      }
    ]
  };

  if (typeof module !== 'undefined' && module.exports) {
    module.exports = quiz;
  } else {
    root.TessarionQuiz.languages.es = quiz;
  }
})(typeof window !== 'undefined' ? window : this);
