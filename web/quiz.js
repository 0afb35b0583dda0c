/* Tessarion history quiz: the questions, the marking and the page's form.
 *
 * The page loads this file with a plain <script> tag and calls
 * TessarionQuiz.mount(). A translated page also loads quiz.xx.js, which adds
 * its questions and texts to TessarionQuiz.languages. Node can require() them
 * too, so the marking can be checked without a browser.
 */
(function (root) {
  'use strict';

  // answer: the index of the right choice. inGuide: words the study guide must
  // contain, so that every question can be answered from it.
  var QUESTIONS = [
    {
      question: 'In 235 the Rhine army murdered Severus Alexander. Whom did it proclaim emperor, the first of the "soldier emperors"?',
      choices: ['Aurelian', 'Maximinus Thrax', 'Diocletian', 'Gallienus'],
      answer: 1,
      explanation: 'Maximinus Thrax, an officer risen from the ranks, never even visited Rome as emperor.',
      inGuide: 'Maximinus Thrax'
    },
    {
      question: 'Which Persian king defeated and captured the emperor Valerian in 260?',
      choices: ['Ardashir I', 'Narseh', 'Shapur I', 'Khosrow I'],
      answer: 2,
      explanation: 'Shapur I, the second Sasanian king, took Valerian prisoner near Edessa; Valerian died in Persia.',
      inGuide: 'Shapur I'
    },
    {
      question: 'Who ruled the breakaway realm of Palmyra and took Egypt in 270?',
      choices: ['Zenobia', 'Boudica', 'Helena', 'Galla Placidia'],
      answer: 0,
      explanation: 'Zenobia, widow of Odaenathus, ruled for her young son until Aurelian defeated her in 272.',
      inGuide: 'Zenobia'
    },
    {
      question: 'Which emperor (270 to 275) ended the Gallic Empire and Palmyra\'s power and was hailed "Restorer of the World"?',
      choices: ['Valerian', 'Philip', 'Constantine', 'Aurelian'],
      answer: 3,
      explanation: 'Aurelian defeated Zenobia in 272 and accepted the surrender of the last Gallic emperor in 274.',
      inGuide: 'Restorer of the World'
    },
    {
      question: 'What drove the inflation of the third century?',
      choices: [
        'Gold from the Dacian mines flooded the markets',
        'Emperors paid their armies with coins holding less and less silver',
        'The Senate issued paper money',
        'The Vandals blockaded the grain ships'
      ],
      answer: 1,
      explanation: 'The antoninianus sank from about half silver to a few percent, and prices rose sharply.',
      inGuide: 'antoninianus'
    },
    {
      question: 'Roman troops left Dacia, north of the Danube, under Aurelian. In which year?',
      choices: ['106', '410', '271 or 275: the sources disagree', '476'],
      answer: 2,
      explanation: 'Dacia was conquered by Trajan in 106 and abandoned in 271 or 275; the exact year is disputed.',
      inGuide: '271 or 275'
    },
    {
      question: 'What was the Tetrarchy set up by Diocletian in 293?',
      choices: [
        'Rule by two senior emperors (Augusti) and two junior ones (Caesars)',
        'A council of four senators who chose the emperor',
        'A tax on land paid in four instalments',
        'The four legions that guarded Rome'
      ],
      answer: 0,
      explanation: '"Rule of four": each of the four emperors had his own court and army near the frontiers.',
      inGuide: 'Tetrarchy'
    },
    {
      question: 'Where did Constantine defeat Maxentius in 312, his soldiers fighting under a Christian sign?',
      choices: ['The Frigidus', 'The Catalaunian Plains', 'Adrianople', 'The Milvian Bridge'],
      answer: 3,
      explanation: 'The Milvian Bridge, just outside Rome, on 28 October 312.',
      inGuide: 'Milvian Bridge'
    },
    {
      question: 'Which city did Constantine dedicate in 330 on the site of Byzantium?',
      choices: ['Ravenna', 'Constantinople', 'Nicomedia', 'Trier'],
      answer: 1,
      explanation: 'Constantinople, fed with Egyptian grain, became the capital of the eastern empire until 1453.',
      inGuide: 'Constantinople'
    },
    {
      question: 'What happened at the Battle of Adrianople in 378?',
      choices: [
        'Aetius stopped Attila',
        'Diocletian defeated Carinus',
        'The Goths destroyed an eastern army and killed the emperor Valens',
        'The Vandals captured the city'
      ],
      answer: 2,
      explanation: 'According to Ammianus Marcellinus, two-thirds of Valens\' army died with him.',
      inGuide: 'Adrianople'
    },
    {
      question: 'What did Theodosius I\'s treaty of 382 with the Goths do?',
      choices: [
        'Settled them inside the empire as allies (foederati) under their own leaders',
        'Drove them back across the Danube for good',
        'Divided the empire between his two sons',
        'Made them pay tribute to Constantinople'
      ],
      answer: 0,
      explanation: 'They kept their own leaders and fought for Rome for land and pay, a model for the next century.',
      inGuide: 'foederati'
    },
    {
      question: 'When Theodosius I died in 395, how was the empire ruled?',
      choices: [
        'By the Senate alone',
        'By his sons: Arcadius in the East and Honorius in the West',
        'By a new Tetrarchy of four emperors',
        'By the Praetorian Guard'
      ],
      answer: 1,
      explanation: 'The two halves were never again ruled by one emperor.',
      inGuide: 'Arcadius'
    },
    {
      question: 'Who led the Goths who sacked Rome in 410?',
      choices: ['Gaiseric', 'Attila', 'Odoacer', 'Alaric'],
      answer: 3,
      explanation: 'Alaric\'s Goths plundered Rome for three days, the first time in about 800 years a foreign enemy had taken the city.',
      inGuide: 'Alaric'
    },
    {
      question: 'Why was the Vandal capture of Carthage in 439 such a blow to the western empire?',
      choices: [
        'Carthage was the capital of the West',
        'Africa was the West\'s richest region and fed Rome with grain',
        'Carthage guarded the Rhine frontier',
        'The emperor was captured there'
      ],
      answer: 1,
      explanation: 'Gaiseric took the West\'s richest provinces and a fleet that raided Sicily and Italy.',
      inGuide: 'Carthage'
    },
    {
      question: 'Who deposed the last western emperor, Romulus Augustulus, in 476?',
      choices: ['Odoacer', 'Orestes', 'Ricimer', 'Zeno'],
      answer: 0,
      explanation: 'Odoacer spared the boy, sent the imperial regalia to Constantinople and ruled Italy as king.',
      inGuide: 'Odoacer'
    },
    {
      question: 'In the game, Roman legions enter Germanic lands only to attack barbarians there. Which event is this rule based on?',
      choices: [
        'The capture of Valerian',
        'The Battle of Adrianople',
        'The destruction of three legions in the Teutoburg Forest in 9 AD',
        'The sack of Rome in 455'
      ],
      answer: 2,
      explanation: 'After Varus lost three legions to Arminius, Rome gave up its plans for a province beyond the Rhine.',
      inGuide: 'Teutoburg Forest'
    }
  ];

  // The form's own words; {correct} and {total} are filled in.
  var TEXTS = {
    check: 'Check my answers',
    reset: 'Start again',
    right: 'Right. ',
    wrong: 'Wrong. ',
    unanswered: 'Not answered. ',
    answerIs: 'The answer is: ',
    scored: 'You scored {correct} out of {total}. ',
    perfect: 'Perfect! You would make a fine Praetorian Prefect.',
    good: 'Well done, Princeps.',
    fair: 'Not bad. The study guide will fill the gaps.',
    poor: 'Read the study guide and try again.'
  };

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

  // Builds the quiz inside container and wires its buttons. language is one
  // of TessarionQuiz.languages ({ questions, texts }), English when left out.
  // Returns the handlers so that callers (and tests) can drive it.
  function mount(doc, container, language) {
    var qs = language ? language.questions : QUESTIONS;
    var texts = language ? language.texts : TEXTS;
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
        var text = r.right ? '' : texts.answerIs + qs[i].choices[qs[i].answer] + '. ';
        verdicts[i].appendChild(doc.createTextNode(text + qs[i].explanation));
      }
      scoreBox.textContent = texts.scored.replace('{correct}', result.correct)
        .replace('{total}', result.total) + verdictLine(result.total, result.correct, texts);
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
    languages: { en: { questions: QUESTIONS, texts: TEXTS } },
    score: score,
    mount: mount
  };
  if (typeof module !== 'undefined' && module.exports) {
    module.exports = api;
  } else {
    root.TessarionQuiz = api;
  }
})(typeof window !== 'undefined' ? window : this);
