'use strict';
// The page: reads the visitor's choices, asks the core (levywise.js) for the
// estimate and shows what it gives. Every text from a rate file reaches the
// page as text (textContent, new Option), never as HTML; the core's pictures
// are parsed as SVG, never as HTML.
(function () {
  const $ = (id) => document.getElementById(id);
  const svgNamespace = 'http://www.w3.org/2000/svg';
  // What a picture may hold: shapes and text, nothing that runs, links or fetches.
  const pictureElements = new Set(['svg', 'title', 'desc', 'g', 'rect', 'line', 'path', 'text', 'tspan']);
  const unitTypes = { K: 'County', C: 'City', I: 'School district', S: 'Special district' };
  // Files larger than this are checked off the main thread, so the page keeps
  // responding while a big file is read.
  const workerThreshold = 256 * 1024;
  let core = null;
  let table = null;
  let shown = null; // the estimate shown
  let listingOrder = { key: 'name', descending: false };

  function today() {
    const d = new Date();
    const two = (n) => String(n).padStart(2, '0');
    return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}`;
  }

  function element(tag, text, className) {
    const e = document.createElement(tag);
    if (text !== undefined) e.textContent = text;
    if (className) e.className = className;
    return e;
  }

  function showAlert(title, message) {
    $('alertTitle').textContent = title;
    $('alertMessage').textContent = message;
    $('alert').hidden = false;
    $('alertOk').focus();
  }

  function unitName(unit) {
    return `${unit.name} (${unit.code})`;
  }

  function fillList(select, units) {
    select.replaceChildren(...units.map((u, i) => new Option(unitName(u), String(i))));
    select.selectedIndex = 0;
  }

  function showDistricts() {
    const list = $('districtList');
    list.replaceChildren(
      ...table.districts.map((d, i) => {
        const row = element('div', undefined, 'check');
        const box = element('input');
        box.type = 'checkbox';
        box.id = `district${i}`;
        box.checked = d.default;
        const label = element('label', unitName(d));
        label.htmlFor = box.id;
        row.append(box, label);
        return row;
      })
    );
    $('noDistricts').hidden = table.districts.length > 0;
  }

  // Keeps of an SVG element only what a picture may hold, its ids given the
  // prefix so that a second copy of a picture on the page keeps its own.
  function cleanPicture(svg, prefix = '') {
    for (const e of Array.from(svg.querySelectorAll('*'))) {
      if (e.namespaceURI !== svgNamespace || !pictureElements.has(e.localName)) e.remove();
    }
    for (const e of [svg, ...svg.querySelectorAll('*')]) {
      for (const a of Array.from(e.attributes)) {
        if (/^on|href$|^style$/i.test(a.name)) e.removeAttribute(a.name);
        else if (prefix && (a.name === 'id' || a.name === 'aria-labelledby')) {
          e.setAttribute(a.name, a.value.split(' ').map((id) => prefix + id).join(' '));
        }
      }
    }
  }

  // A picture of the core, parsed as SVG, shown in the container given;
  // nothing when there is no picture or it is not a whole SVG document.
  function showPicture(container, text) {
    const svg = text && new DOMParser().parseFromString(text, 'image/svg+xml').documentElement;
    const whole = svg && svg.namespaceURI === svgNamespace && svg.localName === 'svg';
    if (whole) cleanPicture(svg);
    container.replaceChildren(...(whole ? [document.adoptNode(svg)] : []));
  }

  // The pictures follow the figures in the next frame, so that the figures
  // of a big estimate show at once.
  let pictureFrame = 0;
  function showPictures() {
    const data = document.documentElement.dataset;
    data.pictures = 'pending';
    cancelAnimationFrame(pictureFrame);
    pictureFrame = requestAnimationFrame(() => {
      const t0 = performance.now();
      const svg = core.pictures();
      const t1 = performance.now();
      showPicture($('whereTaxGoes'), svg.whereTaxGoes);
      showPicture($('whatChanged'), svg.whatChanged);
      showPicture($('overTheYears'), svg.overTheYears);
      data.pictureMakeMs = String(t1 - t0);
      data.pictureShowMs = String(performance.now() - t1);
      data.pictures = 'shown';
    });
  }

  function showListing() {
    const { key, descending } = listingOrder;
    const rows = table.listing.slice();
    const compare =
      key === 'rate'
        ? (a, b) => Number(a.rate) - Number(b.rate)
        : (a, b) => (a[key] < b[key] ? -1 : a[key] > b[key] ? 1 : 0);
    rows.sort((a, b) => (descending ? compare(b, a) : compare(a, b)));
    $('listing').tBodies[0].replaceChildren(
      ...rows.map((r) => {
        const tr = element('tr');
        tr.append(element('td', r.code, 'code'), element('td', r.name), element('td', r.rate, 'figure'),
          element('td', unitTypes[r.type] || r.type));
        return tr;
      })
    );
    for (const th of $('listing').tHead.rows[0].cells) {
      const own = th.firstElementChild.dataset.key === key;
      th.setAttribute('aria-sort', own ? (descending ? 'descending' : 'ascending') : 'none');
    }
  }

  function showTable() {
    table = core.table();
    const source = [table.label, table.county && `${table.county} County`].filter(Boolean);
    $('sourceText').textContent = `${table.file}${source.length ? ` (${source.join(', ')})` : ''}`;
    fillList($('comboCounties'), table.counties);
    fillList($('comboCities'), table.cities);
    fillList($('comboSchools'), table.schools);
    showDistricts();
    showListing();
  }

  function resetInputs() {
    $('txtAprVal').value = '';
    $('chkGHS').checked = false;
    $('optNeither').checked = true;
    $('optVetNone').checked = true;
  }

  function request() {
    const checked = (name) => Number(document.querySelector(`input[name=${name}]:checked`).value);
    const districts = [];
    table.districts.forEach((d, i) => {
      if ($(`district${i}`).checked) districts.push(i);
    });
    return {
      value: $('txtAprVal').value,
      county: $('comboCounties').selectedIndex,
      city: $('comboCities').selectedIndex,
      school: $('comboSchools').selectedIndex,
      homestead: $('chkGHS').checked,
      age: checked('age'),
      veteran: checked('veteran'),
      districts,
    };
  }

  // A table of caption and amount rows, the caption a row heading.
  function figureTable(rows, id) {
    const t = element('table', undefined, 'figures');
    if (id) t.id = id;
    for (const [caption, amount] of rows) {
      const tr = element('tr');
      const th = element('th', caption);
      th.scope = 'row';
      tr.append(th, element('td', amount, 'figure'));
      t.append(tr);
    }
    return t;
  }

  function districtTable(rows) {
    if (rows.length === 0) return element('p', 'No special district is taxed.');
    const t = element('table');
    t.id = 'districtTaxes';
    const head = element('tr');
    for (const h of ['Code', 'Name', 'Rate', 'Tax']) {
      const th = element('th', h);
      th.scope = 'col';
      head.append(th);
    }
    t.createTHead().append(head);
    const body = t.createTBody();
    for (const [code, name, rate, tax] of rows) {
      const tr = element('tr');
      tr.append(element('td', code, 'code'), element('td', name), element('td', rate, 'figure'),
        element('td', tax, 'figure'));
      body.append(tr);
    }
    return t;
  }

  function showEstimate(e) {
    const parts = [element('h3', 'Total Tax'), figureTable(e.totals, 'totals'),
      element('p', e.footnote)];
    e.units.forEach((u, i) => {
      parts.push(element('h3', `${u.tab}: ${u.name} (${u.code})`),
        figureTable(u.rows, ['county', 'city', 'school'][i]));
    });
    parts.push(element('h3', 'Special districts taxed'), districtTable(e.districts),
      figureTable(e.more, 'more'));
    $('estimate').replaceChildren(...parts);
  }

  // The core's worksheet document, made when the page is printed; only its
  // plain elements are taken over, without any attribute but the table's layout.
  function showWorksheet() {
    const html = core.worksheet(today());
    const allowed = new Set(['H1', 'H2', 'P', 'TABLE', 'TBODY', 'TR', 'TH', 'TD', 'B', 'DIV']);
    const kept = new Set(['align', 'border', 'cellspacing', 'cellpadding']);
    // The body's inline style would be refused by the page's security policy.
    const plain = html.replace(/<body[^>]*>/, '<body>');
    const body = new DOMParser().parseFromString(plain, 'text/html').body;
    for (const svg of Array.from(body.getElementsByTagNameNS(svgNamespace, 'svg'))) {
      cleanPicture(svg, 'worksheet-');
    }
    for (const e of Array.from(body.querySelectorAll('*'))) {
      if (e.namespaceURI === svgNamespace) continue;
      if (!allowed.has(e.tagName)) e.remove();
      else for (const a of Array.from(e.attributes)) if (!kept.has(a.name)) e.removeAttribute(a.name);
    }
    $('worksheet').replaceChildren(...Array.from(body.childNodes).map((n) => document.importNode(n, true)));
  }

  function showComparison() {
    const rows = core.comparison();
    if (!rows) return;
    $('comparisonTable').tBodies[0].replaceChildren(
      ...rows.map((r) => {
        const tr = element('tr', undefined, r.differs ? 'differs' : '');
        const th = element('th', r.label);
        th.scope = 'row';
        if (r.differs) th.append(element('span', ' (differs)', 'visually-hidden'));
        const cell = r.input ? '' : 'figure';
        tr.append(th, element('td', r.kept, cell), element('td', r.now, cell),
          element('td', r.change, cell));
        return tr;
      })
    );
    $('comparison').hidden = false;
  }

  const rateFiles = (n) => `${n} rate file${n === 1 ? '' : 's'}`;

  function columnHeading(text, hidden) {
    const th = element('th');
    th.scope = 'col';
    th.append(hidden ? element('span', text, 'visually-hidden') : text);
    return th;
  }

  // The page's inputs under each of the history's rate files; nothing before
  // a history is opened.
  function showHistory() {
    const h = core.history(request());
    if (!h) return;
    if (h.error) {
      $('historyShown').hidden = true;
      $('historyStatus').textContent = h.error;
      return;
    }
    $('historyTable').tHead.rows[0].replaceChildren(columnHeading('Item', true),
      ...h.labels.map((label) => columnHeading(label)), columnHeading('Change'));
    $('historyTable').tBodies[0].replaceChildren(
      ...h.rows.map((r) => {
        const tr = element('tr');
        const th = element('th', r.label);
        th.scope = 'row';
        tr.append(th, ...r.figures.map((f) => element('td', f, 'figure')), element('td', r.change, 'figure'));
        return tr;
      })
    );
    $('historyStatus').textContent = `Tax history over ${rateFiles(h.labels.length)}.`;
    $('historyShown').hidden = false;
  }

  function calculate() {
    const t0 = performance.now();
    const e = core.estimate(request());
    if (e.error) {
      showAlert('Estimate not made', e.error);
      return;
    }
    shown = e;
    $('valueNote').hidden = !e.valueNote;
    if (e.valueNote) $('txtAprVal').setAttribute('aria-describedby', 'valueNote');
    else $('txtAprVal').removeAttribute('aria-describedby');
    showEstimate(e);
    showComparison();
    showHistory();
    showPictures();
    $('status').textContent = `Total Taxes: ${e.total}`;
    document.documentElement.dataset.calculateMs = String(performance.now() - t0);
  }

  function copyText() {
    const lines = ['Property Tax Estimate'];
    for (const section of $('estimate').children) {
      if (section.tagName === 'TABLE') {
        for (const tr of section.rows) lines.push(Array.from(tr.cells, (c) => c.textContent).join('\t'));
      } else {
        lines.push('', section.textContent);
      }
    }
    return lines.join('\n') + '\n';
  }

  // Reads the file (no more of it than a rate file may hold) and says whether
  // it is a rate file, off the main thread when the file is big and the
  // browser lets the page start a worker. The bytes travel to the worker and
  // back without being copied.
  async function check(file) {
    const read = async () => new Uint8Array(await file.slice(0, core.maxFileBytes + 1).arrayBuffer());
    const inline = async () => {
      const bytes = await read();
      return { bytes, refusal: core.checkRateFile(bytes, file.name) };
    };
    let worker;
    try {
      if (file.size < workerThreshold) return inline();
      worker = new Worker('levywise-worker.js');
    } catch (e) {
      return inline();
    }
    const bytes = await read();
    return new Promise((resolve) => {
      worker.onmessage = (event) => {
        worker.terminate();
        resolve(event.data);
      };
      worker.onerror = (event) => {
        event.preventDefault();
        worker.terminate();
        resolve(inline());
      };
      worker.postMessage({ bytes, name: file.name }, [bytes.buffer]);
    });
  }

  async function openFile(file) {
    $('status').textContent = `Reading ${file.name}…`;
    const { bytes, refusal: checked } = await check(file);
    const refusal = checked || core.loadRateFile(bytes, file.name);
    if (refusal) {
      $('status').textContent = '';
      showAlert(refusal.title, refusal.message);
      return;
    }
    showTable();
    resetInputs();
    calculate();
  }

  // Reads every file chosen; the first refused one is named in its message
  // and the history shown before stays.
  async function openHistory(files) {
    const before = $('historyStatus').textContent;
    $('historyStatus').textContent = `Reading ${rateFiles(files.length)}…`;
    const read = [];
    for (const file of files) {
      let checked;
      try {
        checked = await check(file);
      } catch (e) {
        checked = { refusal: { title: 'Tax rate file not loaded', message: `${file.name}: the file cannot be read.` } };
      }
      if (checked.refusal) {
        $('historyStatus').textContent = before;
        showAlert(checked.refusal.title, checked.refusal.message);
        return;
      }
      read.push({ bytes: checked.bytes, name: file.name });
    }
    const refusal = core.openHistory(read);
    if (refusal) {
      $('historyStatus').textContent = before;
      showAlert(refusal.title, refusal.message);
      return;
    }
    showHistory();
    showPictures();
  }

  function wire() {
    $('estimateForm').addEventListener('submit', (event) => {
      event.preventDefault();
      calculate();
    });
    $('openFile').addEventListener('click', () => $('rateFile').click());
    $('rateFile').addEventListener('change', () => {
      const file = $('rateFile').files[0];
      $('rateFile').value = '';
      if (!file) return;
      openFile(file).catch(() => {
        $('status').textContent = '';
        showAlert('Tax rate file not loaded', `${file.name}: the file cannot be read.`);
      });
    });
    $('historyFiles').addEventListener('change', () => {
      // A file chooser gives no order the visitor chose: the files go by their
      // names, numbers in them by value ("2025.tab" before "2026.tab").
      const byName = new Intl.Collator(undefined, { numeric: true });
      const files = Array.from($('historyFiles').files).sort((a, b) => byName.compare(a.name, b.name));
      $('historyFiles').value = '';
      if (files.length) openHistory(files);
    });
    $('alertOk').addEventListener('click', () => {
      $('alert').hidden = true;
      $('txtAprVal').focus();
    });
    $('restoreDefaults').addEventListener('click', () => {
      table.districts.forEach((d, i) => {
        $(`district${i}`).checked = d.default;
      });
    });
    $('keepCompare').addEventListener('click', () => {
      if (core.keep()) {
        showComparison();
        showPictures();
        $('status').textContent = 'Estimate kept for comparison.';
      }
    });
    $('cmdPrint').addEventListener('click', () => window.print());
    window.addEventListener('beforeprint', showWorksheet);
    $('copyEstimate').addEventListener('click', () => {
      if (!shown) return;
      navigator.clipboard.writeText(copyText()).then(
        () => { $('status').textContent = 'Estimate copied.'; },
        () => showAlert('Copy', 'The browser did not allow copying to the clipboard.')
      );
    });
    for (const button of $('listing').querySelectorAll('thead button')) {
      button.addEventListener('click', () => {
        const key = button.dataset.key;
        listingOrder = { key, descending: listingOrder.key === key && !listingOrder.descending };
        showListing();
      });
    }
  }

  Promise.resolve(createLevywise()).then((module) => {
    core = module;
    wire();
    core.loadSample();
    showTable();
    calculate();
    for (const b of document.querySelectorAll('button:disabled, input:disabled')) b.disabled = false;
    performance.mark('levywise-ready');
    document.documentElement.dataset.ready = 'true';
  });
})();
