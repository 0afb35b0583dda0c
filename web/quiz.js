/* Tessarion history quiz: the questions, the marking and the page's form.
 *
 * The page loads this file and quiz-texts.js (the texts in every language, made
 * from po/web when the game is built) with plain <script> tags and calls
 * TessarionQuiz.mount(), which asks in the page's own language. Node can
 * require() both, so the marking can be checked without a browser.
 */
(function (root) {
  'use strict';

  // Mark the texts that translators translate (po/web/update gathers them);
  // they are looked up by their English when a page in another language is made.
  function N_(text) {
    return text;
  }
  function NC_(context, text) {
    return text;
  }

  // answer: the index of the right choice. inGuide: words the study guide must
  // contain, so that every question can be answered from it.
  var QUESTIONS = [
    {
      question: N_('In 235 the Rhine army murdered Severus Alexander. Whom did it proclaim emperor, the first of the "soldier emperors"?'),
      choices: [N_('Aurelian'), N_('Maximinus Thrax'), N_('Diocletian'), N_('Gallienus')],
      answer: 1,
      explanation: N_('Maximinus Thrax, an officer risen from the ranks, never even visited Rome as emperor.'),
      // TRANSLATORS: words of the study guide that answer the question: the
      // same words as in your translation of the guide.
      inGuide: NC_('study guide words', 'Maximinus Thrax')
    },
    {
      question: N_('Which Persian king defeated and captured the emperor Valerian in 260?'),
      choices: [N_('Ardashir I'), N_('Narseh'), N_('Shapur I'), N_('Khosrow I')],
      answer: 2,
      explanation: N_('Shapur I, the second Sasanian king, took Valerian prisoner near Edessa; Valerian died in Persia.'),
      inGuide: NC_('study guide words', 'Shapur I')
    },
    {
      question: N_('Who ruled the breakaway realm of Palmyra and took Egypt in 270?'),
      choices: [N_('Zenobia'), N_('Boudica'), N_('Helena'), N_('Galla Placidia')],
      answer: 0,
      explanation: N_('Zenobia, widow of Odaenathus, ruled for her young son until Aurelian defeated her in 272.'),
      inGuide: NC_('study guide words', 'Zenobia')
    },
    {
      question: N_('Which emperor (270 to 275) ended the Gallic Empire and Palmyra\'s power and was hailed "Restorer of the World"?'),
      choices: [N_('Valerian'), N_('Philip'), N_('Constantine'), N_('Aurelian')],
      answer: 3,
      explanation: N_('Aurelian defeated Zenobia in 272 and accepted the surrender of the last Gallic emperor in 274.'),
      inGuide: NC_('study guide words', 'Restorer of the World')
    },
    {
      question: N_('What drove the inflation of the third century?'),
      choices: [
        N_('Gold from the Dacian mines flooded the markets'),
        N_('Emperors paid their armies with coins holding less and less silver'),
        N_('The Senate issued paper money'),
        N_('The Vandals blockaded the grain ships')
      ],
      answer: 1,
      explanation: N_('The antoninianus sank from about half silver to a few percent, and prices rose sharply.'),
      inGuide: NC_('study guide words', 'antoninianus')
    },
    {
      question: N_('Roman troops left Dacia, north of the Danube, under Aurelian. In which year?'),
      choices: ['106', '410', N_('271 or 275: the sources disagree'), '476'],
      answer: 2,
      explanation: N_('Dacia was conquered by Trajan in 106 and abandoned in 271 or 275; the exact year is disputed.'),
      inGuide: NC_('study guide words', '271 or 275')
    },
    {
      question: N_('What was the Tetrarchy set up by Diocletian in 293?'),
      choices: [
        N_('Rule by two senior emperors (Augusti) and two junior ones (Caesars)'),
        N_('A council of four senators who chose the emperor'),
        N_('A tax on land paid in four instalments'),
        N_('The four legions that guarded Rome')
      ],
      answer: 0,
      explanation: N_('"Rule of four": each of the four emperors had his own court and army near the frontiers.'),
      inGuide: NC_('study guide words', 'Tetrarchy')
    },
    {
      question: N_('Where did Constantine defeat Maxentius in 312, his soldiers fighting under a Christian sign?'),
      choices: [N_('The Frigidus'), N_('The Catalaunian Plains'), N_('Adrianople'), N_('The Milvian Bridge')],
      answer: 3,
      explanation: N_('The Milvian Bridge, just outside Rome, on 28 October 312.'),
      inGuide: NC_('study guide words', 'Milvian Bridge')
    },
    {
      question: N_('Which city did Constantine dedicate in 330 on the site of Byzantium?'),
      choices: [N_('Ravenna'), N_('Constantinople'), N_('Nicomedia'), N_('Trier')],
      answer: 1,
      explanation: N_('Constantinople, fed with Egyptian grain, became the capital of the eastern empire until 1453.'),
      inGuide: NC_('study guide words', 'Constantinople')
    },
    {
      question: N_('What happened at the Battle of Adrianople in 378?'),
      choices: [
        N_('Aetius stopped Attila'),
        N_('Diocletian defeated Carinus'),
        N_('The Goths destroyed an eastern army and killed the emperor Valens'),
        N_('The Vandals captured the city')
      ],
      answer: 2,
      explanation: N_('According to Ammianus Marcellinus, two-thirds of Valens\' army died with him.'),
      inGuide: NC_('study guide words', 'Adrianople')
    },
    {
      question: N_('What did Theodosius I\'s treaty of 382 with the Goths do?'),
      choices: [
        N_('Settled them inside the empire as allies (foederati) under their own leaders'),
        N_('Drove them back across the Danube for good'),
        N_('Divided the empire between his two sons'),
        N_('Made them pay tribute to Constantinople')
      ],
      answer: 0,
      explanation: N_('They kept their own leaders and fought for Rome for land and pay, a model for the next century.'),
      inGuide: NC_('study guide words', 'foederati')
    },
    {
      question: N_('When Theodosius I died in 395, how was the empire ruled?'),
      choices: [
        N_('By the Senate alone'),
        N_('By his sons: Arcadius in the East and Honorius in the West'),
        N_('By a new Tetrarchy of four emperors'),
        N_('By the Praetorian Guard')
      ],
      answer: 1,
      explanation: N_('The two halves were never again ruled by one emperor.'),
      inGuide: NC_('study guide words', 'Arcadius')
    },
    {
      question: N_('Who led the Goths who sacked Rome in 410?'),
      choices: [N_('Gaiseric'), N_('Attila'), N_('Odoacer'), N_('Alaric')],
      answer: 3,
      explanation: N_('Alaric\'s Goths plundered Rome for three days, the first time in about 800 years a foreign enemy had taken the city.'),
      inGuide: NC_('study guide words', 'Alaric')
    },
    {
      question: N_('Why was the Vandal capture of Carthage in 439 such a blow to the western empire?'),
      choices: [
        N_('Carthage was the capital of the West'),
        N_('Africa was the West\'s richest region and fed Rome with grain'),
        N_('Carthage guarded the Rhine frontier'),
        N_('The emperor was captured there')
      ],
      answer: 1,
      explanation: N_('Gaiseric took the West\'s richest provinces and a fleet that raided Sicily and Italy.'),
      inGuide: NC_('study guide words', 'Carthage')
    },
    {
      question: N_('Who deposed the last western emperor, Romulus Augustulus, in 476?'),
      choices: [N_('Odoacer'), N_('Orestes'), N_('Ricimer'), N_('Zeno')],
      answer: 0,
      explanation: N_('Odoacer spared the boy, sent the imperial regalia to Constantinople and ruled Italy as king.'),
      inGuide: NC_('study guide words', 'Odoacer')
    },
    {
      question: N_('In the game, Roman legions enter Germanic lands only to attack barbarians there. Which event is this rule based on?'),
      choices: [
        N_('The capture of Valerian'),
        N_('The Battle of Adrianople'),
        N_('The destruction of three legions in the Teutoburg Forest in 9 AD'),
        N_('The sack of Rome in 455')
      ],
      answer: 2,
      explanation: N_('After Varus lost three legions to Arminius, Rome gave up its plans for a province beyond the Rhine.'),
      inGuide: NC_('study guide words', 'Teutoburg Forest')
    }
  ];

  // The form's own words; {answer}, {correct} and {total} are filled in.
  var TEXTS = {
    check: N_('Check my answers'),
    reset: N_('Start again'),
    right: N_('Right.'),
    wrong: N_('Wrong.'),
    unanswered: N_('Not answered.'),
    answerIs: N_('The answer is: {answer}.'),
    scored: N_('You scored {correct} out of {total}.'),
    perfect: N_('Perfect! You would make a fine Praetorian Prefect.'),
    good: N_('Well done, Princeps.'),
    fair: N_('Not bad. The study guide will fill the gaps.'),
    poor: N_('Read the study guide and try again.')
  };

  // The questions and the form's words in a language, from its texts ({English:
  // translation}, a context written before its English with "\u0004"); English
  // wherever the texts have nothing.
  function translated(texts) {
    var t = function (text, context) {
      var key = context ? context + '\u0004' + text : text;
      return texts && Object.prototype.hasOwnProperty.call(texts, key) ? texts[key] : text;
    };
    var words = {};
    Object.keys(TEXTS).forEach(function (key) {
      words[key] = t(TEXTS[key]);
    });
    var questions = QUESTIONS.map(function (q) {
      return {
        question: t(q.question),
        choices: q.choices.map(function (c) { return t(c); }),
        answer: q.answer,
        explanation: t(q.explanation),
        inGuide: t(q.inGuide, 'study guide words')
      };
    });
    return { questions: questions, texts: words };
  }

  // The language of a page (<html lang>) as the quiz speaks it.
  function pageLanguage(doc) {
    var code = doc && doc.documentElement && doc.documentElement.getAttribute ?
      doc.documentElement.getAttribute('lang') : null;
    var all = root.TessarionQuizTexts || {};
    return code && all[code] ? translated(all[code]) : { questions: QUESTIONS, texts: TEXTS };
  }

  // The chosen index for one question, or null when the sheet holds no valid
  // choice. Radio buttons give their values as strings, so "2" counts as 2.
  function chosenIndex(value, choiceCount) {
    var n = value;
    if (typeof n === 'string' && /^\s*\d+\s*$/.test(n)) {
      n = Number(n);
    }
    if (typeof n !== 'number' || !isFinite(n) || Math.floor(n) !== n) {
      return null;
    }
    return n >= 0 && n < choiceCount ? n : null;
  }

  // Marks a sheet: answers[i] is the index chosen for question i (or null,
  // undefined or missing when unanswered). Unanswered questions count as wrong.
  function score(answers, questions) {
    var qs = questions || QUESTIONS;
    var sheet = answers && typeof answers === 'object' ? answers : [];
    var results = [];
    var correct = 0;
    for (var i = 0; i < qs.length; i++) {
      var chosen = chosenIndex(sheet[i], qs[i].choices.length);
      var right = chosen !== null && chosen === qs[i].answer;
      if (right) {
        correct++;
      }
      results.push({ chosen: chosen, right: right });
    }
    return { correct: correct, total: qs.length, results: results };
  }

  function verdictLine(total, correct, texts) {
    if (correct === total) {
      return texts.perfect;
    }
    if (correct * 3 >= total * 2) {
      return texts.good;
    }
    if (correct * 3 >= total) {
      return texts.fair;
    }
    return texts.poor;
  }

  function clear(el) {
    while (el.firstChild) {
      el.removeChild(el.firstChild);
    }
  }

  // Builds the quiz inside container and wires its buttons. language is the
  // questions and words to use ({ questions, texts }, as translated() gives),
  // the page's own language when left out. Returns the handlers so that
  // callers (and tests) can drive it.
  function mount(doc, container, language) {
    var lang = language || pageLanguage(doc);
    var qs = lang.questions;
    var texts = lang.texts;
    var form = doc.createElement('form');
    form.setAttribute('novalidate', 'novalidate');
    var radios = [];      // radios[i][j]: choice j of question i
    var fieldsets = [];
    var verdicts = [];

    for (var i = 0; i < qs.length; i++) {
      var fs = doc.createElement('fieldset');
      fs.className = 'question';
      var legend = doc.createElement('legend');
      legend.textContent = (i + 1) + '. ' + qs[i].question;
      fs.appendChild(legend);
      radios.push([]);
      for (var j = 0; j < qs[i].choices.length; j++) {
        var label = doc.createElement('label');
        var input = doc.createElement('input');
        input.type = 'radio';
        input.name = 'q' + i;
        input.value = String(j);
        label.appendChild(input);
        label.appendChild(doc.createTextNode(qs[i].choices[j]));
        fs.appendChild(label);
        radios[i].push(input);
      }
      var verdict = doc.createElement('p');
      verdict.className = 'verdict';
      fs.appendChild(verdict);
      form.appendChild(fs);
      fieldsets.push(fs);
      verdicts.push(verdict);
    }

    var row = doc.createElement('div');
    row.className = 'buttons-row';
    var checkButton = doc.createElement('button');
    checkButton.type = 'button';
    checkButton.textContent = texts.check;
    var resetButton = doc.createElement('button');
    resetButton.type = 'button';
    resetButton.className = 'secondary';
    resetButton.textContent = texts.reset;
    row.appendChild(checkButton);
    row.appendChild(resetButton);
    form.appendChild(row);

    var scoreBox = doc.createElement('div');
    scoreBox.className = 'score';
    scoreBox.setAttribute('role', 'status');
    scoreBox.setAttribute('aria-live', 'polite');
    form.appendChild(scoreBox);

    container.appendChild(form);

    function readAnswers() {
      var answers = [];
      for (var i = 0; i < radios.length; i++) {
        answers.push(null);
        for (var j = 0; j < radios[i].length; j++) {
          if (radios[i][j].checked) {
            answers[i] = radios[i][j].value;
          }
        }
      }
      return answers;
    }

    function check() {
      var result = score(readAnswers(), qs);
      for (var i = 0; i < qs.length; i++) {
        var r = result.results[i];
        fieldsets[i].className = 'question ' + (r.right ? 'right' : 'wrong');
        clear(verdicts[i]);
        var mark = doc.createElement('strong');
        mark.className = r.right ? 'right' : 'wrong';
        mark.textContent = r.right ? texts.right : (r.chosen === null ? texts.unanswered : texts.wrong);
        verdicts[i].appendChild(mark);
        var text = r.right ? '' : texts.answerIs.replace('{answer}', qs[i].choices[qs[i].answer]) + ' ';
        verdicts[i].appendChild(doc.createTextNode(' ' + text + qs[i].explanation));
      }
      scoreBox.textContent = texts.scored.replace('{correct}', result.correct)
        .replace('{total}', result.total) + ' ' + verdictLine(result.total, result.correct, texts);
      if (typeof scoreBox.scrollIntoView === 'function') {
        scoreBox.scrollIntoView({ block: 'center' });
      }
      return result;
    }

    function reset() {
      for (var i = 0; i < radios.length; i++) {
        for (var j = 0; j < radios[i].length; j++) {
          radios[i][j].checked = false;
        }
        fieldsets[i].className = 'question';
        clear(verdicts[i]);
      }
      scoreBox.textContent = '';
    }

    checkButton.addEventListener('click', check);
    resetButton.addEventListener('click', reset);
    return { check: check, reset: reset, radios: radios, scoreBox: scoreBox };
  }

  var api = {
    QUESTIONS: QUESTIONS,
    TEXTS: TEXTS,
    translated: translated,
    score: score,
    mount: mount
  };
  if (typeof module !== 'undefined' && module.exports) {
    module.exports = api;
  } else {
    root.TessarionQuiz = api;
  }
})(typeof window !== 'undefined' ? window : globalThis);
